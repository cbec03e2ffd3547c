#include "store/engine/MdbReaderOutput.h"

#include "store/engine/AccessColumnTypes.h"
#include "store/engine/MdbReaderProcess.h"
#include "store/engine/MdbReaderProtocol.h"

#include <bit>

namespace store {

namespace {
using mdbproto::AccessType;

constexpr std::uint32_t kMaxColumns = 1024; // Access allows 255
constexpr int kMaxDecimalDigits = 28;

[[noreturn]] void Damaged(const std::string& what)
{
    RaiseDamagedAnswer(what);
}

using Cursor = AnswerCursor;

// Reads the start of an answer; a failure answer raises its description.
void Begin(Cursor& in, mdbproto::Answer expected)
{
    in.Expect(mdbproto::kMagic, "it does not begin as an answer");
    const auto kind = static_cast<mdbproto::Answer>(in.U8());
    if (kind == mdbproto::Answer::Failure) {
        std::string description = in.Text();
        in.Expect(mdbproto::kTrailer, "its failure is not complete");
        RaiseReaderFailure(description);
    }
    if (kind != expected)
        Damaged("it answers another question");
}

void End(Cursor& in)
{
    in.Expect(mdbproto::kTrailer, "its end mark is missing");
    in.ExpectEnd();
}

struct ReaderColumn
{
    AccessType type;
    int scale;
};

ado::Decimal Currency(std::uint64_t bits)
{
    const auto value = static_cast<std::int64_t>(bits);
    ado::Decimal d;
    d.scale = 4; // ten-thousandths
    d.sign = value < 0 ? 0x80 : 0;
    d.lo64 = value < 0 ? ~bits + 1 : bits; // the magnitude, INT64_MIN included
    return d;
}

ado::Variant ReadValue(Cursor& in, const ReaderColumn& column)
{
    switch (column.type) {
    case AccessType::Boolean:
        return ado::Variant::Bool(in.U8() != 0);
    case AccessType::Byte:
        return ado::Variant::UI1(in.U8());
    case AccessType::Integer:
        return ado::Variant::I2(static_cast<std::int16_t>(in.U16()));
    case AccessType::Long:
    case AccessType::Complex:
        return ado::Variant::I4(static_cast<std::int32_t>(in.U32()));
    case AccessType::Currency:
        return ado::Variant::Dec(Currency(in.U64()));
    case AccessType::Single:
        return ado::Variant::R4(std::bit_cast<float>(in.U32()));
    case AccessType::Double:
        return ado::Variant::R8(std::bit_cast<double>(in.U64()));
    case AccessType::DateTime:
        return ado::Variant::Date(std::bit_cast<double>(in.U64()));
    case AccessType::Numeric: {
        ado::Decimal d;
        d.sign = in.U8() & 0x80;
        d.hi32 = in.U32();
        d.lo64 = in.U64();
        d.scale = static_cast<std::uint8_t>(column.scale);
        if (d.hi32 == 0 && d.lo64 == 0)
            d.sign = 0;
        return ado::Variant::Dec(d);
    }
    case AccessType::Text:
    case AccessType::Memo:
    case AccessType::ReplicationId:
        return ado::Variant::Bstr(in.Text());
    case AccessType::Binary:
    case AccessType::OleObject:
        break;
    }
    return ado::Variant::Bytes(in.Text());
}

std::vector<ReaderColumn> ReadColumns(Cursor& in, std::vector<ColumnInfo>& described)
{
    const std::uint32_t count = in.U32();
    if (count == 0 || count > kMaxColumns)
        Damaged("it names " + std::to_string(count) + " columns");
    std::vector<ReaderColumn> columns;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string name = in.Text();
        const auto type = AccessTypeOf(in.U8());
        const std::uint32_t width = in.U32();
        const int precision = in.U8();
        const int scale = in.U8();
        if (!type)
            Damaged("a column of an unknown type");
        if (*type == AccessType::Numeric &&
            (precision < 1 || precision > kMaxDecimalDigits || scale > precision))
            Damaged("a Numeric column with precision " + std::to_string(precision) + " and scale " +
                    std::to_string(scale));
        columns.push_back({*type, scale});
        described.push_back(AccessColumn(std::move(name), *type, width, precision, scale));
    }
    return columns;
}

void ReadRows(Cursor& in, const std::vector<ReaderColumn>& columns, const RowSink& sink)
{
    std::vector<ado::Variant> row;
    row.reserve(columns.size());
    for (;;) {
        const std::uint8_t marker = in.U8();
        if (marker == mdbproto::kRowsEnd)
            return;
        if (marker == mdbproto::kRowsFailed) {
            std::string description = in.Text();
            End(in);
            RaiseReaderFailure(description);
        }
        if (marker != mdbproto::kRowFollows)
            Damaged("a row is not marked as one");
        row.clear();
        for (const ReaderColumn& column : columns) {
            const std::uint8_t present = in.U8();
            if (present > 1)
                Damaged("a value is neither NULL nor present");
            row.push_back(present ? ReadValue(in, column) : ado::Variant::Null());
        }
        DeliverRow(sink, row);
    }
}

std::vector<TableEntry> ReadCatalogue(Cursor& in)
{
    Begin(in, mdbproto::Answer::Catalogue);
    const std::uint32_t count = in.U32();
    std::vector<TableEntry> tables;
    for (std::uint32_t i = 0; i < count; ++i) {
        TableEntry entry;
        entry.name = in.Text();
        const auto kind = static_cast<mdbproto::ObjectKind>(in.U8());
        if (kind == mdbproto::ObjectKind::UserTable)
            entry.type = "TABLE";
        else if (kind == mdbproto::ObjectKind::SystemTable)
            entry.type = "SYSTEM TABLE";
        else
            Damaged("a table of an unknown kind");
        if (entry.name.empty())
            Damaged("a table without a name");
        tables.push_back(std::move(entry));
    }
    End(in);
    return tables;
}

std::string ReadTable(Cursor& in, const RowSink& sink)
{
    Begin(in, mdbproto::Answer::Table);
    std::string name = in.Text();
    std::vector<ColumnInfo> described;
    const std::vector<ReaderColumn> columns = ReadColumns(in, described);
    sink.columns(described);
    ReadRows(in, columns, sink);
    End(in);
    return name;
}

// The rows kept, for the parses that give them all.
RowSink Keeping(RowSet& set)
{
    RowSink sink;
    sink.columns = [&set](const std::vector<ColumnInfo>& columns) { set.columns = columns; };
    sink.row = [&set](const std::vector<ado::Variant>& row) { set.rows.push_back(row); };
    return sink;
}
} // namespace

std::vector<TableEntry> ParseCatalogueAnswer(const AnswerSource& answer)
{
    Cursor in(answer);
    return ReadCatalogue(in);
}

std::vector<TableEntry> ParseCatalogueAnswer(std::string_view answer)
{
    Cursor in(answer);
    return ReadCatalogue(in);
}

RowSet ParseTableAnswer(const AnswerSource& answer)
{
    RowSet set;
    set.table = StreamTableAnswer(answer, Keeping(set));
    return set;
}

RowSet ParseTableAnswer(std::string_view answer)
{
    RowSet set;
    set.table = StreamTableAnswer(answer, Keeping(set));
    return set;
}

std::string StreamTableAnswer(const AnswerSource& answer, const RowSink& sink)
{
    Cursor in(answer);
    return ReadTable(in, sink);
}

std::string StreamTableAnswer(std::string_view answer, const RowSink& sink)
{
    Cursor in(answer);
    return ReadTable(in, sink);
}

} // namespace store
