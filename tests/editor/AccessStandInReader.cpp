// A stand-in for tavrin-mdb-reader, for Access files that no test file holds
// (a FireOne show's FireData). It answers for FILE from FILE.tables, a text
// file beside it:
//
//   table NAME
//   column NAME TYPE WIDTH     TYPE: the Access type number (MdbReaderProtocol.h)
//   row VALUE|VALUE|...        \N: NULL; dates and doubles as decimals
//
// A file without one goes to the real reader.
#include "platform/ChildProcess.h"
#include "platform/Console.h"
#include "store/mdbreader/AnswerWriter.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using mdbproto::AccessType;

struct Column
{
    std::string name;
    AccessType type;
    std::uint32_t width;
};

struct Table
{
    std::string name;
    std::vector<Column> columns;
    std::vector<std::vector<std::string>> rows;
};

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.emplace_back();
    return parts;
}

std::vector<Table> ReadTables(std::ifstream& in)
{
    std::vector<Table> tables;
    std::string line;
    while (std::getline(in, line)) {
        const auto space = line.find(' ');
        const std::string word = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (word == "table") {
            tables.push_back({rest, {}, {}});
        } else if (word == "column" && !tables.empty()) {
            std::istringstream fields(rest);
            Column column{};
            int type = 0;
            fields >> column.name >> type >> column.width;
            column.type = static_cast<AccessType>(type);
            tables.back().columns.push_back(column);
        } else if (word == "row" && !tables.empty()) {
            tables.back().rows.push_back(Split(rest, '|'));
        }
    }
    return tables;
}

void WriteValue(const Column& column, const std::string& text, mdbreader::AnswerWriter& out)
{
    if (column.type == AccessType::Boolean) {
        out.U8(1);
        out.U8(text == "1" ? 1 : 0);
        return;
    }
    if (text == "\\N") {
        out.U8(0);
        return;
    }
    out.U8(1);
    switch (column.type) {
    case AccessType::Byte:
        out.U8(static_cast<std::uint8_t>(std::stoi(text)));
        break;
    case AccessType::Integer:
        out.U16(static_cast<std::uint16_t>(std::stoi(text)));
        break;
    case AccessType::Long:
        out.U32(static_cast<std::uint32_t>(std::stol(text)));
        break;
    case AccessType::Double:
    case AccessType::DateTime: {
        const double value = std::stod(text);
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        out.U64(bits);
        break;
    }
    default:
        out.Text(text);
        break;
    }
}

// The real reader answers in its place, on the same standard output.
int AskTheRealReader(int argc, char** argv)
{
    platform::ChildOptions options;
    options.arguments.assign(argv + 1, argv + argc);
    options.output = platform::ChildStream::kInherit;
    options.errors = platform::ChildStream::kInherit;
    try {
        platform::ChildProcess reader(TAVRIN_REAL_READER, options);
        const auto end = reader.WaitUntil(std::chrono::steady_clock::time_point::max());
        return end->kind == platform::ChildEnd::kExited ? static_cast<int>(end->code) : 128;
    } catch (const platform::ProcessFailure&) {
        return 127; // as exec would
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return mdbproto::kExitUsage;
    const std::string command = argv[1];
    std::ifstream described(std::string(argv[2]) + ".tables");
    if (!described)
        return AskTheRealReader(argc, argv);
    const std::vector<Table> tables = ReadTables(described);
    platform::MakeStandardOutputBinary();
    mdbreader::AnswerWriter out(stdout);
    if (command == "catalogue") {
        out.Begin(mdbproto::Answer::Catalogue);
        out.U32(static_cast<std::uint32_t>(tables.size() + 1));
        out.Text("MSysObjects");
        out.U8(static_cast<std::uint8_t>(mdbproto::ObjectKind::SystemTable));
        for (const Table& table : tables) {
            out.Text(table.name);
            out.U8(static_cast<std::uint8_t>(mdbproto::ObjectKind::UserTable));
        }
        out.Finish();
        return mdbproto::kExitAnswered;
    }
    for (const Table& table : tables) {
        if (argc < 4 || table.name != argv[3])
            continue;
        out.Begin(mdbproto::Answer::Table);
        out.Text(table.name);
        out.U32(static_cast<std::uint32_t>(table.columns.size()));
        for (const Column& column : table.columns) {
            out.Text(column.name);
            out.U8(static_cast<std::uint8_t>(column.type));
            out.U32(column.width);
            out.U8(0);
            out.U8(0);
        }
        for (const auto& row : table.rows) {
            out.BeginRow();
            for (std::size_t i = 0; i < table.columns.size(); ++i)
                WriteValue(table.columns[i], i < row.size() ? row[i] : "\\N", out);
            out.EndRow();
        }
        out.U8(mdbproto::kRowsEnd);
        out.Finish();
        return mdbproto::kExitAnswered;
    }
    out.Fail("it has no table '" + std::string(argc > 3 ? argv[3] : "") + "'");
    return mdbproto::kExitFailed;
}
