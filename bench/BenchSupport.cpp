#include "bench/BenchSupport.h"

#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "store/Transaction.h"
#include "store/engine/SqliteDatabase.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace bench {

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double CpuSeconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

bool Report(const char* what, double value, double target, const char* unit)
{
    const bool met = value <= target;
    std::printf("%-46s %9.3f %s  (target <= %.2f %s) %s\n", what, value, unit, target, unit,
                met ? "ok" : "MISSED");
    return met;
}

std::filesystem::path TempFolder(const std::string& name)
{
    const auto folder = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(folder);
    return folder;
}

long OwnMemoryKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    return -1;
}

bool ResetOwnPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    return static_cast<bool>(clear << "5" << std::flush);
}

void WriteLayoutStore(const std::string& path, int cues)
{
    std::filesystem::remove(path);
    store::SqliteDatabase::CreateNew(path)->Execute(store::kCreateLayoutTableSql);
    AppendLayoutRows(path, cues);
}

double AppendLayoutRows(const std::string& path, int cues)
{
    CADODataBase db;
    if (!db.Open(store::ConnectionStringFor(path), "", ""))
        throw std::runtime_error(db.GetLastErrorText());
    const auto start = std::chrono::steady_clock::now();
    store::Transaction transaction(*db.GetConnection());
    CADORecordset rs(&db);
    if (!rs.Open(store::kLayoutTable, modeTable))
        throw std::runtime_error(rs.GetLastErrorText());
    char number[16];
    for (int n = 0; n < cues; ++n) {
        rs.AddNew();
        rs.WriteField("FlowID", n);
        rs.WriteField("HostName", std::string(store::kDefaultHostName));
        rs.WriteField("HostIndex", 1);
        rs.WriteField("BlastTime", n * 37);
        std::snprintf(number, sizeof number, "%02d", n / 100 % 100);
        rs.WriteField("Addr", std::string(number));
        std::snprintf(number, sizeof number, "%02d", n % 100);
        rs.WriteField("Channel", std::string(number));
        rs.WriteField("CDCode", n % 7);
        rs.WriteField("Sector", 0);
    }
    if (!rs.Update())
        throw std::runtime_error(rs.GetLastErrorText());
    rs.Close();
    transaction.Commit();
    return Seconds(start);
}

void WriteFireOneSqliteFile(const std::string& path, int records)
{
    std::filesystem::remove(path);
    auto db = store::SqliteDatabase::CreateNew(path);
    db->Execute("CREATE TABLE FireData(ID int, LaunchTimeMS int, Event int, Slat int, Cue int, "
                "Note nVarchar(50))");
    db->BeginTransaction();
    constexpr int kSlice = 1000;
    for (int start = 0; start < records; start += kSlice) {
        std::string sql = "INSERT INTO FireData VALUES ";
        for (int i = start; i < start + kSlice && i < records; ++i)
            sql += (i > start ? "," : "") + std::string("(") + std::to_string(i) + "," +
                   std::to_string(i * 37) + "," + std::to_string(i % 7) + "," +
                   std::to_string(i % 99 + 1) + "," + std::to_string(i % 32 + 1) + ",'shell')";
        db->Execute(sql);
    }
    db->CommitTransaction();
}

} // namespace bench
