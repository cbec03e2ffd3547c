// Memory of the Access import: `tavrin-cli import` of a FireOne Access file
// of 100 000 records into a new show store, run in this process as the
// command line runs it. The file is a real Jet 4 file written by the tests'
// generator; the Access reader beside this program reads it. Prints the peak
// resident memory of this process (the reader is a process of its own);
// exits 1 above 64 MB or when the import does not give every record.
#include "bench/BenchSupport.h"
#include "store/engine/SqliteDatabase.h"
#include "tests/store/jetgen/Jet4File.h"
#include "tests/store/jetgen/RandomTable.h"
#include "tools/cli/Commands.h"

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int kRecords = 100000;
constexpr long kLimitKiB = 64 * 1024;

// FireData as FireOne writes it, one record a cue.
void WriteFireOneFile(const std::string& path)
{
    jetgen::Table fireData;
    fireData.name = "FireData";
    fireData.columns = jetgen::FireDataColumns();
    fireData.rows = kRecords;
    fireData.row = [](std::size_t index) {
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
    };
    jetgen::WriteJet4File(path, {fireData});
}

// The peak resident memory of this process so far, in KiB.
long PeakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
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

} // namespace

int main()
{
    const auto dir = std::filesystem::temp_directory_path() / "tavrin-bench-access-import";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string source = (dir / "show.mdb").string();
    const std::string store = (dir / "show.db").string();
    WriteFireOneFile(source);
    const auto fileBytes = std::filesystem::file_size(source);

    const long before = PeakResidentKiB();
    const auto start = std::chrono::steady_clock::now();
    const int exitCode = RunCommandLine({"import", source, "--store", store});
    const double seconds = bench::Seconds(start);
    const long peak = PeakResidentKiB();
    const long rows = exitCode == 0 ? LayoutRows(store) : -1;
    std::filesystem::remove_all(dir);
    if (exitCode != 0 || rows != kRecords) {
        std::fprintf(stderr, "import failed: exit %d, %ld show table rows\n", exitCode, rows);
        return 1;
    }
    const bool met = peak <= kLimitKiB;
    std::printf("%d FireOne records from a %.1f MB Access file into a new store: %.2f s\n",
                kRecords, static_cast<double>(fileBytes) / (1024.0 * 1024.0), seconds);
    std::printf("peak resident memory %.1f MB (%.1f MB before the import)  (target <= %ld MB) %s\n",
                peak / 1024.0, before / 1024.0, kLimitKiB / 1024, met ? "ok" : "MISSED");
    return met ? 0 : 1;
}
