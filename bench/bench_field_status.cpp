// Field status benchmark: `tavrin-cli status` and `tavrin-cli hosts` of a
// show store planned for 252 hosts of 1 000 cues each, its record table as
// full as the records are kept (four conversations a host), each run as a
// user runs it, a process of its own. Each must take at most 100 ms, the
// median of three runs. Exits 1 when a target is missed.
#include "bench/BenchSupport.h"
#include "bench/CliRun.h"
#include "store/HostRecordTable.h"
#include "store/engine/SqliteDatabase.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The field: its hosts, the cues and the conversations each has.
constexpr int kHosts = 252, kCuesPerHost = 1000, kRecordsPerHost = 4;
// Each command's runs, and the most the median may take.
constexpr int kRuns = 3;
constexpr double kMostSeconds = 0.100;

std::string Host(int n)
{
    return "FIELD-" + std::to_string(n);
}

// The show, its plan and the records of what each host was sent, in SQL
// alone: the making is not measured.
void WriteFieldStore(const std::string& path)
{
    bench::WriteLayoutStore(path, kHosts * kCuesPerHost);
    auto db = store::SqliteDatabase::OpenExisting(path);
    db->BeginTransaction();
    db->Execute("UPDATE tb_Layout SET HostName = 'FIELD-' || (FlowID % " + std::to_string(kHosts) +
                " + 1)");
    db->Execute("CREATE TABLE tb_HostPlan(HostName nVarchar(32) not null,HostCode int not null,"
                "CONSTRAINT PK_HostPlan Primary Key (HostName))");
    db->Execute(store::kCreateHostRecordTableSql);
    for (int n = 1; n <= kHosts; ++n) {
        db->Execute("INSERT INTO tb_HostPlan VALUES ('" + Host(n) + "'," + std::to_string(n) + ")");
        const std::string address = "'192.168.10." + std::to_string(n) + "'";
        for (int r = 0; r < kRecordsPerHost; ++r) {
            const bool name = r % 2 == 0;
            db->Execute("INSERT INTO tb_HostLoads VALUES (" + std::to_string(n) + "," + address +
                        ",10061,1,'" +
                        (name ? "name','" + Host(n) + "',NULL" : "show',NULL,'0123456789abcdef'") +
                        ",40,40,'completed',0,NULL,'2026-12-11T10:0" + std::to_string(r) +
                        ":00Z','c" + std::to_string(n) + "-" + std::to_string(r) + "')");
        }
    }
    db->CommitTransaction();
}

// The median wall-clock seconds of `tavrin-cli COMMAND STORE`.
double Command(const char* command, const std::string& store)
{
    std::vector<double> seconds;
    for (int n = 0; n < kRuns; ++n)
        seconds.push_back(bench::RunTavrinCli({command, store}).seconds);
    return bench::Median(seconds);
}

} // namespace

int main()
{
    try {
        const std::filesystem::path dir = bench::TempFolder("tavrin-bench-field-status");
        const std::string store = (dir / "field.db").string();
        WriteFieldStore(store);
        // SQLite alone, every field of every row of the show taken from the
        // file, as both commands read it: the part of their time no code of
        // ours can save.
        const auto start = std::chrono::steady_clock::now();
        store::SqliteDatabase::OpenExisting(store)->Query(
            "SELECT count(*) FROM (SELECT * FROM tb_Layout LIMIT -1)");
        const double read = bench::Seconds(start);
        const double status = Command("status", store);
        const double hosts = Command("hosts", store);
        std::filesystem::remove_all(dir);
        std::printf("%d planned hosts, %d cues each, %d records each; medians of %d runs\n", kHosts,
                    kCuesPerHost, kRecordsPerHost, kRuns);
        std::printf("%-46s %9.3f s\n", "SQLite alone: every row of the show read", read);
        bool ok = bench::Report("tavrin-cli status", status, kMostSeconds, "s");
        ok &= bench::Report("tavrin-cli hosts", hosts, kMostSeconds, "s");
        return ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_field_status: %s\n", error.what());
        return 1;
    }
}
