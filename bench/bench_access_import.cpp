// Memory of the Access import: `tavrin-cli import` of FireOne Access files
// into a new show store, run in this process as the command line runs it.
// The files are real Jet 4 files written by the tests' generator (in a child
// process, so that their making costs this one nothing); the Access reader
// beside this program reads them. Prints the peak resident memory of each
// import, this process's and its reader's together: 100 000 records, in at
// most 0.40 s and 32 MB; a few records with notes of the longest size read,
// and a damaged file whose 530 records all point at one 1 MB note, which
// must be refused, each within 64 MB plus the longest value the file holds.
// Exits 1 when a target is missed or an import does not end as it should.
#include "bench/BenchSupport.h"
#include "bench/FireOneAccessFile.h"
#include "bench/TreeMemory.h"
#include "store/engine/SqliteDatabase.h"
#include "tools/cli/Commands.h"

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

constexpr double kLimitMB = 64;
// Stored as UTF-16: 8 000 000 bytes, just under the reader's 8 MiB.
constexpr std::size_t kLongNoteBytes = 4000000;

struct Case
{
    const char* what;
    std::function<jetgen::Table()> table;
    long records = 0;         // show table rows the import gives; -1: it must be refused
    std::size_t longestValue; // bytes, as the import holds it
    double mostMB;            // the peak allowed, the longest value aside
    double mostSeconds = 0;   // 0: not timed
};

jetgen::Table SharedNote()
{
    jetgen::Table fireData = bench::FireOneAccessData(530, 1000000);
    const auto record = fireData.row;
    fireData.row = [record](std::size_t index) {
        jetgen::Row row = record(index);
        row.values.back() = std::string(1000000, 'n');
        return row;
    };
    fireData.shareLongValues = true;
    return fireData;
}

int RunCommandLine(std::vector<std::string> arguments)
{
    CLI::App app;
    cli::CommandRun run;
    cli::AddImportCommand(app, run);
    std::reverse(arguments.begin(), arguments.end());
    app.parse(arguments);
    return run();
}

long LayoutRows(const std::string& path)
{
    auto db = store::SqliteDatabase::OpenExisting(path);
    const store::RowSet count = db->Query("SELECT count(*) FROM tb_Layout");
    return count.rows.at(0).at(0).lVal();
}

// Imports the case's file; true when it ended as it should and within the target.
bool Run(const std::filesystem::path& dir, const Case& c)
{
    const std::string source = (dir / "show.mdb").string();
    const std::string store = (dir / "show.db").string();
    std::filesystem::remove(source);
    std::filesystem::remove(store);
    if (!bench::WriteAccessFileInChild(source, c.table)) {
        std::fprintf(stderr, "%s: the file cannot be written\n", c.what);
        return false;
    }
    const auto fileBytes = std::filesystem::file_size(source);
    const bool reset = bench::ResetOwnPeak();
    const long before = bench::OwnMemoryKiB("VmRSS:");
    bench::TreeMemoryPeak tree(bench::TreeMemoryPeak::Self());
    const auto start = std::chrono::steady_clock::now();
    const int exitCode = RunCommandLine({"import", source, "--store", store});
    const double seconds = bench::Seconds(start);
    const double peakMB = tree.StopMB();
    const long rows = exitCode == 0 ? LayoutRows(store) : -1;
    const bool ended = c.records < 0 ? exitCode != 0 : exitCode == 0 && rows == c.records;
    std::printf("%s, a %.1f MB Access file: %s in %.2f s (%.1f MB in use before%s)\n", c.what,
                static_cast<double>(fileBytes) / (1024.0 * 1024.0),
                c.records < 0 ? "refused" : "imported", seconds, before / 1024.0,
                reset ? "" : ", the peak not started over");
    if (!ended)
        std::fprintf(stderr, "%s: the import ended wrongly: exit %d, %ld show table rows\n", c.what,
                     exitCode, rows);
    bool met =
        bench::Report("  peak resident memory of the import and its reader", peakMB,
                      c.mostMB + static_cast<double>(c.longestValue) / (1024.0 * 1024.0), "MB");
    if (c.mostSeconds > 0)
        met = bench::Report("  time of the import", seconds, c.mostSeconds, "s") && met;
    return met && ended;
}

} // namespace

int main()
{
    const auto dir = std::filesystem::temp_directory_path() / "tavrin-bench-access-import";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const Case cases[] = {
        {"100000 FireOne records", [] { return bench::FireOneAccessData(100000, 0); }, 100000, 0,
         32, 0.40},
        {"8 records with 4 MB notes", [] { return bench::FireOneAccessData(8, kLongNoteBytes); }, 8,
         kLongNoteBytes, kLimitMB},
        {"530 records sharing one 1 MB note (damaged)", SharedNote, -1, 1000000, kLimitMB},
    };
    bool met = true;
    for (const Case& c : cases)
        met = Run(dir, c) && met;
    std::filesystem::remove_all(dir);
    return met ? 0 : 1;
}
