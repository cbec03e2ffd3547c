#include "bench/FireOneAccessFile.h"

#include "platform/ForkedWork.h"
#include "tests/store/jetgen/Jet4File.h"
#include "tests/store/jetgen/RandomTable.h"

#include <cstdint>
#include <cstdio>

namespace bench {

namespace {

jetgen::Row Record(std::size_t index)
{
    const auto i = static_cast<std::int64_t>(index);
    jetgen::Row row;
    row.values = {i + 1,
                  (53 * i) % 600000,
                  1 + i % 9,
                  1 + i % 40,
                  1 + (i / 40) % 32,
                  "P" + std::to_string(i % 7),
                  "comet " + std::to_string(i)};
    return row;
}

} // namespace

jetgen::Table FireOneAccessData(std::size_t records, std::size_t noteBytes)
{
    jetgen::Table fireData;
    fireData.name = "FireData";
    fireData.columns = jetgen::FireDataColumns();
    if (noteBytes != 0)
        fireData.columns.push_back({"Notes", jetgen::Type::Memo});
    fireData.rows = records;
    fireData.row = [noteBytes](std::size_t index) {
        jetgen::Row row = Record(index);
        if (noteBytes != 0)
            row.values.emplace_back(std::string(noteBytes, static_cast<char>('a' + index % 26)));
        return row;
    };
    return fireData;
}

bool WriteAccessFileInChild(const std::string& path, const std::function<jetgen::Table()>& table)
{
    return platform::RunForked([&] {
        try {
            jetgen::WriteJet4File(path, {table()});
            return 0;
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), error.what());
            return 1;
        }
    });
}

} // namespace bench
