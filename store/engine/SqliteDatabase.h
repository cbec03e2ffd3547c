#pragma once

#include "store/engine/DatabaseEngine.h"

#include <map>
#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

class SqliteStatement;

// The SQLite engine: the native show store. Every sqlite3 call of the program
// lives in SqliteDatabase.cpp, SqliteStatement.cpp (its statements) and
// SqliteTableRuns.cpp (a table read on several threads).
class SqliteDatabase final : public DatabaseEngine
{
public:
    // Opens an existing SQLite file read-write (read-only when the file is
    // write-protected on disk). Never creates one.
    static std::unique_ptr<SqliteDatabase> OpenExisting(const std::string& path);
    // Creates a new, empty SQLite file; refuses a path that already exists.
    static std::unique_ptr<SqliteDatabase> CreateNew(const std::string& path);
    static std::unique_ptr<SqliteDatabase> OpenInMemory();

    ~SqliteDatabase() override;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    std::string SourceName() const override;
    long Execute(const std::string& sql) override;
    RowSet Query(const std::string& sql) override;
    RowSet OpenTable(const std::string& name) override;
    void StreamTable(const std::string& name, const RowSink& sink) override;
    void StreamQuery(const std::string& sql, const RowSink& sink) override;
    std::size_t StreamTableInRuns(const std::string& name,
                                  const std::vector<const RowSink*>& runs) override;
    std::vector<TableEntry> ListTables() override;
    std::int64_t InsertRow(const std::string& table, const std::vector<ColumnInfo>& columns,
                           const std::vector<ado::Variant>& values,
                           const std::vector<bool>& changed) override;
    bool InsertRows(const std::string& table, const std::vector<ColumnInfo>& columns,
                    const std::vector<std::vector<ado::Variant>>& rows,
                    const std::vector<bool>& changed) override;
    void UpdateRow(const std::string& table, std::int64_t key,
                   const std::vector<ColumnInfo>& columns, const std::vector<ado::Variant>& values,
                   const std::vector<bool>& changed) override;
    void BeginTransaction() override;
    void CommitTransaction() override;
    void RollbackTransaction() override;

private:
    friend class SqliteStatement; // raises its failures as the connection's

    SqliteDatabase(sqlite3* db, std::string path);
    [[noreturn]] void Raise(int rc, const std::string& context) const;
    SqliteStatement& Cached(const std::string& sql);
    // The statement that reads a table's rows in the order they were added,
    // with the key (rowid) first when the table has one.
    struct TableSelect
    {
        std::string realName;
        std::string sql;
        bool keyed = false;
        std::vector<bool> notNull;
        std::string countSql; // how many rows it has
        // For a keyed table: its rows of keys ?1 to ?2, in the same order;
        // and its least and greatest key, with the file's marks.
        std::string rangeSql, keySpanSql;
    };
    // `only`: the columns wanted, where the table has them; empty for all.
    TableSelect SelectTable(const std::string& name, const std::vector<std::string>& only = {});
    std::vector<ColumnInfo> ColumnsOf(SqliteStatement& statement, std::size_t keyColumn);
    RowSet ReadAll(SqliteStatement& statement, std::size_t keyColumn);
    void StreamRows(SqliteStatement& statement, std::size_t keyColumn,
                    const std::vector<ColumnInfo>& columns, const RowSink& sink);
    // The rows of `select`, all of them, to `sink`.
    void StreamWhole(const TableSelect& select, const RowSink& sink);
    // The rows `statement` (made from `select`) gives, to `sink`, told to
    // expect `expected` of them where that is known.
    void StreamSelected(SqliteStatement& statement, const TableSelect& select, const RowSink& sink,
                        std::optional<std::size_t> expected);
    // The rows of a keyed table in runs of keys, each run on a connection of
    // its own in a thread of its own, all from one state of the file.
    std::size_t ReadInRuns(const TableSelect& select, const std::vector<const RowSink*>& runs);
    // A second connection to the same file for one run, its read begun:
    // null when it cannot be had at once.
    std::unique_ptr<SqliteDatabase> OpenRunReader() const;
    void StreamKeyRange(const TableSelect& select, std::int64_t first, std::int64_t last,
                        const RowSink& sink, std::size_t expected);
    std::size_t CountRows(const std::string& sql);
    class ScanCache;
    void CheckWidths(const std::string& table, const std::vector<ColumnInfo>& columns,
                     const std::vector<ado::Variant>& values,
                     const std::vector<bool>& changed) const;
    void RunSimple(const char* sql);

    sqlite3* db_;
    std::string path_;
    // The insert statement of a table and the columns given, and those
    // columns' names, for InsertRow to find it again without making its text.
    struct RecentInsert
    {
        std::string table;
        std::vector<std::string> names;
        std::size_t rows;           // written by one step
        SqliteStatement* statement; // in cache_
        bool Fits(const std::string& into, const std::vector<ColumnInfo>& columns,
                  const std::vector<bool>& changed, std::size_t count) const;
    };
    static constexpr std::size_t kRecentInserts = 6;
    SqliteStatement& InsertStatement(const std::string& table,
                                     const std::vector<ColumnInfo>& columns,
                                     const std::vector<bool>& changed, std::size_t rows = 1);
    void ForgetStatements();

    std::map<std::string, std::unique_ptr<SqliteStatement>> cache_;
    std::vector<RecentInsert> recentInserts_;
    mutable bool unsettled_ = false; // a call failed since the last finished rollback
};

} // namespace store
