#include "tests/editor/FireOneFiles.h"

#include "tests/support/TempDir.h"

#include <fstream>
#include <iterator>

namespace editortest {

namespace {
std::string Value(const std::optional<int>& value)
{
    return value ? std::to_string(*value) : "NULL";
}
} // namespace

void MakeFireOneFile(const std::string& path, const std::vector<FireRecord>& records)
{
    testsupport::MakeSqliteFile(path, "CREATE TABLE FireData(ID int, LaunchTimeMS int, Event int, "
                                      "Slat int, Cue int, Note nVarchar(50))");
    // Inserted in slices: one statement for 100 000 records would be huge.
    constexpr std::size_t kSlice = 5000;
    for (std::size_t start = 0; start < records.size(); start += kSlice) {
        std::string sql = "INSERT INTO FireData VALUES ";
        for (std::size_t i = start; i < records.size() && i < start + kSlice; ++i) {
            const FireRecord& r = records[i];
            sql += (i > start ? "," : "") + std::string("(") + std::to_string(i + 1) + "," +
                   Value(r.launchTimeMs) + "," + Value(r.event) + "," + Value(r.slat) + "," +
                   Value(r.cue) + ",'note " + std::to_string(i) + "')";
        }
        testsupport::RunSql(path, sql);
    }
}

std::vector<FireRecord> ManyFireRecords(int count)
{
    std::vector<FireRecord> records;
    records.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        records.push_back({i * 100, i % 7, i % 16 + 1, i % 32 + 1});
    return records;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace editortest
