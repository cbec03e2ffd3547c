// Store benchmark: 100 000 cues appended through the access layer against a
// bare sqlite3 insert loop, then read whole, then every host name rewritten.
// Prints the figures; exits 1 when a target is missed.
#include "bench/BenchSupport.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "store/Transaction.h"
#include "store/engine/SqliteDatabase.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sqlite3.h>
#include <string>

namespace {

constexpr int kRows = 100000;

std::string NewStore(const std::filesystem::path& path)
{
    std::filesystem::remove(path);
    auto db = store::SqliteDatabase::CreateNew(path.string());
    db->Execute(store::kCreateLayoutTableSql);
    return path.string();
}

double AppendBare(const std::string& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const auto start = std::chrono::steady_clock::now();
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO tb_Layout (FlowID,HostName,HostIndex,BlastTime,Addr,Channel,"
                       "CDCode,Sector) VALUES (?,?,?,?,?,?,?,?)",
                       -1, &stmt, nullptr);
    // The values bench::AppendLayoutRows writes.
    char addr[16];
    char channel[16];
    for (int n = 0; n < kRows; ++n) {
        std::snprintf(addr, sizeof addr, "%02d", n / 100 % 100);
        std::snprintf(channel, sizeof channel, "%02d", n % 100);
        sqlite3_bind_int(stmt, 1, n);
        sqlite3_bind_text(stmt, 2, store::kDefaultHostName, -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 3, 1);
        sqlite3_bind_int(stmt, 4, n * 37);
        sqlite3_bind_text(stmt, 5, addr, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 6, channel, -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 7, n % 7);
        sqlite3_bind_int(stmt, 8, 0);
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    const double seconds = bench::Seconds(start);
    sqlite3_close(db);
    return seconds;
}

double ReadAll(const std::string& path, long long& checksum)
{
    CADODataBase db;
    db.Open(store::ConnectionStringFor(path), "", "");
    const auto start = std::chrono::steady_clock::now();
    CADORecordset rs(&db);
    if (!rs.Open(store::kLayoutTable, modeTable))
        throw std::runtime_error(rs.GetLastErrorText());
    int rows = 0;
    for (auto r = rs.GetRecordset(); !r->EndOfFile(); r->MoveNext()) {
        int flow = 0, index = 0, time = 0, code = 0, sector = 0;
        std::string host, addr, channel;
        rs.ReadField("FlowID", flow);
        rs.ReadField("HostName", host, "");
        rs.ReadField("HostIndex", index);
        rs.ReadField("BlastTime", time);
        rs.ReadField("Addr", addr, "");
        rs.ReadField("Channel", channel, "");
        rs.ReadField("CDCode", code);
        rs.ReadField("Sector", sector);
        checksum += flow + time + code + static_cast<long long>(host.size() + addr.size());
        ++rows;
    }
    if (rows != kRows)
        throw std::runtime_error("read " + std::to_string(rows) + " rows");
    return bench::Seconds(start);
}

double RewriteHosts(const std::string& path)
{
    CADODataBase db;
    db.Open(store::ConnectionStringFor(path), "", "");
    const auto start = std::chrono::steady_clock::now();
    store::Transaction tx(*db.GetConnection());
    CADORecordset rs(&db);
    rs.Open(store::kLayoutTable, modeTable);
    auto r = rs.GetRecordset();
    int n = 0;
    for (r->MoveFirst(); !r->EndOfFile(); r->MoveNext()) {
        r->PutCollect("HostName", ado::Variant::Bstr("H" + std::to_string(n++ % 40)));
        r->Update();
    }
    rs.Close();
    tx.Commit();
    return bench::Seconds(start);
}

} // namespace

int main()
{
    const auto dir = bench::TempFolder("tavrin-bench-store");
    const std::string layered = NewStore(dir / "layered.db");
    const std::string bare = NewStore(dir / "bare.db");

    const double append = bench::AppendLayoutRows(layered, kRows);
    const double bareAppend = AppendBare(bare);
    long long checksum = 0;
    const double read = ReadAll(layered, checksum);
    const double rewrite = RewriteHosts(layered);

    std::printf("%d cues\n", kRows);
    bool ok = true;
    ok &= bench::Report("append through CADORecordset", append, 1.5, "s");
    std::printf("%-46s %9.3f s\n", "append with a bare sqlite3 loop", bareAppend);
    ok &= bench::Report("ratio layer / bare", append / bareAppend, 1.5, "x");
    ok &= bench::Report("open by name and read every field", read, 0.5, "s");
    ok &= bench::Report("rewrite every HostName (Collect + Update)", rewrite, 1.0, "s");
    std::filesystem::remove_all(dir);
    return ok ? 0 : 1;
}
