#pragma once

#include "DatabaseEngine.h"

#include <chrono>
#include <map>
#include <memory>

namespace store {

// Limits put on the helper process that reads an Access file, so that a
// malformed file can neither crash nor hang the program.
struct MdbReaderLimits
{
    std::chrono::milliseconds wallClock{20000};
    int cpuSeconds = 15;
    std::size_t addressSpaceBytes = std::size_t{2} << 30; // 2 GiB
};

// The Access engine: Jet 3 and Jet 4 files, read-only. The file is read by a
// helper program (tavrin-mdb-reader) started for each read, so that libmdb's
// faults on malformed files stay outside the program.
class AccessDatabase final : public DatabaseEngine
{
public:
    // Opens the file and reads its catalogue; raises on a file the reader
    // cannot read as an Access database.
    static std::unique_ptr<AccessDatabase> Open(const std::string& path,
                                                const MdbReaderLimits& limits = {});
    ~AccessDatabase() override;

    std::string SourceName() const override;
    long Execute(const std::string& sql) override;
    RowSet Query(const std::string& sql) override;
    RowSet OpenTable(const std::string& name) override;
    std::vector<TableEntry> ListTables() override;
    std::int64_t InsertRow(const std::string& table, const std::vector<ColumnInfo>& columns,
                           const std::vector<ado::Variant>& values,
                           const std::vector<bool>& changed) override;
    void UpdateRow(const std::string& table, std::int64_t key,
                   const std::vector<ColumnInfo>& columns, const std::vector<ado::Variant>& values,
                   const std::vector<bool>& changed) override;
    void BeginTransaction() override;
    void CommitTransaction() override;
    void RollbackTransaction() override;

private:
    AccessDatabase(std::string path, MdbReaderLimits limits);

    std::string path_;
    MdbReaderLimits limits_;
    std::vector<TableEntry> tables_;
    std::map<std::string, RowSet> tableCache_;   // tables read so far, by name
    std::unique_ptr<DatabaseEngine> queryEngine_; // in-memory copy that runs SQL queries
};

} // namespace store
