// Command-line import benchmark: `tavrin-cli import` of a FireOne show of
// 100 000 records, run as a user runs it (a process of its own, with the
// Access reader under it for an Access file), against the floor: SQLite's own
// INSERT ... SELECT of the same rows into a table of tb_Layout's columns.
// From a FireOne SQLite file, converted in place: within 3 times the floor.
// From a FireOne Access file, into a new store: within 4 times the floor and
// 40 MB, the peak of the command and its reader together. Each figure is the
// median of three runs. Exits 1 when a target is missed.
#include "bench/BenchSupport.h"
#include "bench/CliRun.h"
#include "bench/FireOneAccessFile.h"
#include "store/LayoutTable.h"
#include "store/engine/SqliteDatabase.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 100000;
constexpr int kRuns = 3;

// A fresh copy of the FireOne file, so that every run starts from the same file.
std::string FreshCopy(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::filesystem::remove(to);
    std::filesystem::copy_file(from, to);
    return to.string();
}

long LayoutRows(const std::string& path)
{
    auto db = store::SqliteDatabase::OpenExisting(path);
    return db->Query("SELECT count(*) FROM tb_Layout").rows.at(0).at(0).lVal();
}

// SQLite alone: the show table made and filled from FireData in one statement.
double Floor(const std::string& path)
{
    auto db = store::SqliteDatabase::OpenExisting(path);
    const auto start = std::chrono::steady_clock::now();
    db->BeginTransaction();
    db->Execute(store::kCreateLayoutTableSql);
    db->Execute("INSERT INTO tb_Layout (FlowID,HostName,HostIndex,BlastTime,Addr,Channel,CDCode,"
                "Sector) SELECT rowid - 1, 'HOST', 1, LaunchTimeMS, printf('%02d', Slat), "
                "printf('%02d', Cue - 1), Event, 0 FROM FireData ORDER BY rowid");
    db->CommitTransaction();
    return bench::Seconds(start);
}

// The median of three imports of copies of `source`; the largest peak.
bench::CliRun Imports(const std::filesystem::path& dir, const std::filesystem::path& source,
                      bool intoNewStore)
{
    std::vector<double> seconds;
    double peak = 0;
    for (int n = 0; n < kRuns; ++n) {
        const std::string file = FreshCopy(source, dir / ("run" + source.extension().string()));
        const std::string store = (dir / "new-store.db").string();
        std::filesystem::remove(store);
        const bench::CliRun run = bench::RunTavrinCli(
            intoNewStore ? std::vector<std::string>{"import", file, "--store", store}
                         : std::vector<std::string>{"import", file});
        if (LayoutRows(intoNewStore ? store : file) != kRecords)
            throw std::runtime_error("the import did not give " + std::to_string(kRecords) +
                                     " cues");
        seconds.push_back(run.seconds);
        peak = std::max(peak, run.peakMB);
    }
    return {bench::Median(seconds), peak};
}

} // namespace

int main()
{
    try {
        const std::filesystem::path dir = bench::TempFolder("tavrin-bench-cli-import");
        const std::filesystem::path sqliteShow = dir / "fireone.db";
        const std::filesystem::path accessShow = dir / "fireone.mdb";
        bench::WriteFireOneSqliteFile(sqliteShow.string(), kRecords);
        std::filesystem::remove(accessShow);
        if (!bench::WriteAccessFileInChild(accessShow.string(),
                                           [] { return bench::FireOneAccessData(kRecords, 0); }))
            return 1;

        std::vector<double> floors;
        for (int n = 0; n < kRuns; ++n)
            floors.push_back(Floor(FreshCopy(sqliteShow, dir / "floor.db")));
        const double floor = bench::Median(floors);
        const bench::CliRun fromSqlite = Imports(dir, sqliteShow, false);
        const bench::CliRun fromAccess = Imports(dir, accessShow, true);
        std::filesystem::remove_all(dir);

        std::printf("%d FireOne records; medians of %d runs\n", kRecords, kRuns);
        std::printf("%-46s %9.3f s\n", "floor: SQLite's INSERT ... SELECT", floor);
        std::printf("%-46s %9.3f s, peak %.1f MB\n", "tavrin-cli import of the SQLite file",
                    fromSqlite.seconds, fromSqlite.peakMB);
        std::printf("%-46s %9.3f s, peak %.1f MB\n", "tavrin-cli import of the Access file",
                    fromAccess.seconds, fromAccess.peakMB);
        bool ok =
            bench::Report("SQLite file against the floor", fromSqlite.seconds / floor, 3.0, "x");
        ok &= bench::Report("Access file against the floor", fromAccess.seconds / floor, 4.0, "x");
        ok &= bench::Report("Access file: peak of the command and its reader", fromAccess.peakMB,
                            40.0, "MB");
        return ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_cli_import: %s\n", error.what());
        return 1;
    }
}
