#pragma once

#include "store/ComError.h"
#include "store/Variant.h"
#include "store/engine/RowCells.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace store {

// One column of a set of rows: its name, the kind of value it holds and, for
// text columns with a declared width, that width in characters (0: none).
struct ColumnInfo
{
    std::string name;
    ado::VarType type = ado::VT_BSTR;
    int maxChars = 0;
    std::string declaredType; // as the engine declares it, for copying tables
    bool notNull = false;
};

// A set of rows read whole. Rows opened from a table by name carry the key by
// which the engine writes them back.
struct RowSet
{
    std::vector<ColumnInfo> columns;
    std::vector<std::vector<ado::Variant>> rows;
    std::vector<std::int64_t> keys; // one per row when writable
    std::string table;              // the table the rows can be written to
    bool writable = false;
    // Why the rows cannot be written, when the engine has a better word for
    // it than a recordset's generic one (a read-only file, say).
    std::string readOnlyReason;
    std::string readOnlySource;
};

// Takes the rows of a table one at a time: first its columns, then each row.
// An engine that can count the rows cheaply says how many to expect before
// the first, so that a reader can make room for them at once.
struct RowSink
{
    std::function<void(const std::vector<ColumnInfo>&)> columns;
    std::function<void(const std::vector<ado::Variant>&)> row;
    // Each row as cells instead, for a sink that reads its fields as numbers
    // and texts; where given, it takes the rows and `row` is not called.
    std::function<void(const RowCells&)> cells;
    std::function<void(std::size_t)> expectedRows; // a hint, not a promise
    // The columns the sink reads (names compared without regard to case);
    // empty for all. An engine that can hands a table's rows with these
    // alone, in the table's order; others may come all the same.
    std::vector<std::string> onlyColumns;
    // For a run of StreamTableInRuns: called on the run's own thread once
    // each of its rows has come, while later runs may still be read.
    std::function<void()> finished;
};

struct TableEntry
{
    std::string name;
    std::string type; // "TABLE", "VIEW", "SYSTEM TABLE"
};

// What a database engine behind the connection offers. Every failure is raised
// as an ado::_com_error carrying the engine's source name and a description
// that tells the user what went wrong.
class DatabaseEngine
{
public:
    virtual ~DatabaseEngine() = default;

    virtual std::string SourceName() const = 0;
    // True for a file format the engine reads but never writes (Access), as
    // opposed to a writable format whose file is merely write-protected.
    virtual bool IsReadOnlyFormat() const { return false; }

    // The rows of a query, read whole; not writable.
    virtual RowSet Query(const std::string& sql) = 0;
    // The rows of a table or view opened by name, in the same order every time
    // (for a table: the order in which its rows were added).
    virtual RowSet OpenTable(const std::string& name) = 0;
    // The rows of a table opened by name, in the same order, handed to `sink`
    // one by one; an engine that can does so without holding them all. A
    // failure part way raises after the rows before it went to the sink.
    virtual void StreamTable(const std::string& name, const RowSink& sink)
    {
        const RowSet rows = OpenTable(name);
        sink.columns(rows.columns);
        for (const std::vector<ado::Variant>& row : rows.rows)
            DeliverRow(sink, row);
    }
    // The rows of a table, as StreamTable gives them, in runs: each sink of
    // `runs` takes one run, and every row of a run comes before those of the
    // next. An engine that can reads the runs at the same time, each on a
    // thread of its own, all from one state of the file; the others, or a
    // table too small to be worth it, give every row to the first. Returns
    // how many runs it read. A failure raises once the runs before the
    // failing one are read whole: the first failure in the table's order.
    virtual std::size_t StreamTableInRuns(const std::string& name,
                                          const std::vector<const RowSink*>& runs)
    {
        StreamTable(name, *runs.front());
        if (runs.front()->finished)
            runs.front()->finished();
        return 1;
    }
    // The rows of a query, in its order, handed to `sink` one by one; an
    // engine that can does so without holding them all. A failure part way
    // raises after the rows before it went to the sink.
    virtual void StreamQuery(const std::string& sql, const RowSink& sink)
    {
        const RowSet rows = Query(sql);
        sink.columns(rows.columns);
        for (const std::vector<ado::Variant>& row : rows.rows)
            DeliverRow(sink, row);
    }
    virtual std::vector<TableEntry> ListTables() = 0;

    // What changes a database. An engine for a format it never writes keeps
    // these: each change is refused with RefusedChange(), and with nothing ever
    // written there is nothing for a transaction to make atomic.

    // Runs one statement that returns no rows; returns the rows it changed.
    virtual long Execute(const std::string& /*sql*/) { throw RefusedChange(); }
    // Writes one row to a table opened by name. `changed` marks the columns the
    // caller set; the others keep the table's defaults (insert) or their stored
    // values (update). Insert returns the new row's key.
    virtual std::int64_t InsertRow(const std::string& /*table*/,
                                   const std::vector<ColumnInfo>& /*columns*/,
                                   const std::vector<ado::Variant>& /*values*/,
                                   const std::vector<bool>& /*changed*/)
    {
        throw RefusedChange();
    }
    // Writes rows to a table in their order with one statement, as InsertRow
    // would each, where the engine can: inside a transaction. False, with
    // none of them written, where it cannot or where a row fails; the caller
    // then writes them one at a time, which finds the failing row. Raises
    // only for a failure that ended the transaction.
    virtual bool InsertRows(const std::string& /*table*/,
                            const std::vector<ColumnInfo>& /*columns*/,
                            const std::vector<std::vector<ado::Variant>>& /*rows*/,
                            const std::vector<bool>& /*changed*/)
    {
        return false;
    }
    // Writes `rows` in their order: with one statement where InsertRows can,
    // else one at a time, which finds a failing row once those before it are
    // written. `written`, when set, sees each row once it is written.
    void WriteRows(const std::string& table, const std::vector<ColumnInfo>& columns,
                   const std::vector<std::vector<ado::Variant>>& rows,
                   const std::vector<bool>& changed,
                   const std::function<void(const std::vector<ado::Variant>&)>& written = {})
    {
        const bool together = InsertRows(table, columns, rows, changed);
        for (const std::vector<ado::Variant>& row : rows) {
            if (!together)
                InsertRow(table, columns, row, changed);
            if (written)
                written(row);
        }
    }
    virtual void UpdateRow(const std::string& /*table*/, std::int64_t /*key*/,
                           const std::vector<ColumnInfo>& /*columns*/,
                           const std::vector<ado::Variant>& /*values*/,
                           const std::vector<bool>& /*changed*/)
    {
        throw RefusedChange();
    }
    virtual void BeginTransaction() {}
    virtual void CommitTransaction() {}
    virtual void RollbackTransaction() {}

protected:
    virtual ado::_com_error RefusedChange() const
    {
        return ado::_com_error(ado::adErrFeatureNotAvailable, SourceName(),
                               "The database cannot be changed.");
    }
};

// Opens the database file named by `path`, choosing the engine by the file's
// content: SQLite files read-write, Access (Jet 3 and Jet 4) files read-only.
// Never creates a file. Raises ado::_com_error with a clear description when
// the file is missing, unreadable or of another kind.
std::unique_ptr<DatabaseEngine> OpenDatabaseFile(const std::string& path);

// Whether the file `path` begins as an SQLite or an Access database does.
// False for a file that cannot be read.
bool IsDatabaseFile(const std::string& path);

// Creates a new, empty SQLite database file at `path` and opens it. Refuses a
// path that already exists: an existing file is never replaced.
std::unique_ptr<DatabaseEngine> CreateDatabaseFile(const std::string& path);

// Whether `path` holds nothing once SQLite has played back any journal beside
// it (which it then has): what the making of a store leaves when it is killed
// before its first commit. Such a file may be replaced.
bool IsEmptyStoreLeftover(const std::string& path);

// Maps a declared column type ("nVarchar(32)", "int", "double", "datetime",
// ...) to the kind of value read from it, and the width it declares.
ado::VarType VarTypeForDeclaredType(const std::string& declared);
int DeclaredTextWidth(const std::string& declared);

} // namespace store
