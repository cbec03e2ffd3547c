#include "store/engine/SqliteDatabase.h"

#include "platform/NewFile.h"
#include "platform/Utf8Path.h"
#include "store/SqlQuoting.h"
#include "store/engine/SqliteStatement.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sqlite3.h>
#include <strings.h>

namespace store {

namespace {
constexpr const char* kSource = kSqliteSource;
constexpr int kBusyWaitMs = 2000; // a locked file fails after this, never hangs
// A read that makes SQLite finish an interrupted rollback (see RollbackTransaction).
constexpr char kSettlingRead[] = "SELECT count(*) FROM sqlite_schema";

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    return strncasecmp(text.c_str(), prefix, std::strlen(prefix)) == 0;
}

// The name under which a table's rowid can be selected: one no column shadows.
template <typename Names, typename NameOf>
std::string RowidAliasOf(const Names& names, NameOf nameOf)
{
    for (const char* candidate : {"rowid", "_rowid_", "oid"}) {
        bool shadowed = false;
        for (const auto& item : names)
            shadowed = shadowed || strcasecmp(nameOf(item).c_str(), candidate) == 0;
        if (!shadowed)
            return candidate;
    }
    return {};
}

std::string RowidAlias(const std::vector<std::string>& columnNames)
{
    return RowidAliasOf(columnNames, [](const std::string& n) { return n; });
}

std::string RowidAlias(const std::vector<ColumnInfo>& columns)
{
    return RowidAliasOf(columns, [](const ColumnInfo& c) { return c.name; });
}

} // namespace

SqliteDatabase::SqliteDatabase(sqlite3* db, std::string path) : db_(db), path_(std::move(path))
{
    sqlite3_busy_timeout(db_, kBusyWaitMs);
    sqlite3_extended_result_codes(db_, 1);
}

SqliteDatabase::~SqliteDatabase()
{
    ForgetStatements();
    if (!sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    if (unsettled_)
        sqlite3_exec(db_, kSettlingRead, nullptr, nullptr, nullptr);
    sqlite3_close_v2(db_);
}

namespace {
// Opens an existing file read-write; null, and the engine's reason, when not.
sqlite3* OpenReadWrite(const std::string& path, std::string& failure)
{
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK)
        return db;
    failure = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    sqlite3_close_v2(db);
    return nullptr;
}
} // namespace

std::unique_ptr<SqliteDatabase> SqliteDatabase::OpenExisting(const std::string& path)
{
    std::string failure;
    sqlite3* db = OpenReadWrite(path, failure);
    if (!db)
        throw ado::_com_error(ado::E_FAIL, kSource,
                              "The file '" + path + "' cannot be opened as a database: " + failure +
                                  ".");
    std::unique_ptr<SqliteDatabase> database(new SqliteDatabase(db, path));
    // Reading the schema is what finds a damaged or foreign file.
    SqliteStatement probe(*database, "SELECT count(*) FROM sqlite_schema");
    probe.Step("reading the list of tables");
    return database;
}

std::unique_ptr<SqliteDatabase> SqliteDatabase::CreateNew(const std::string& path)
{
    {
        // Made here, so that an existing file is never taken over.
        const platform::NewFile file(path);
        if (file.error())
            throw ado::_com_error(ado::E_FAIL, kSource,
                                  "The file '" + path +
                                      "' cannot be created: " + file.error().message() + ".");
    }
    std::string failure;
    sqlite3* db = OpenReadWrite(path, failure);
    if (!db) {
        std::error_code ignored;
        std::filesystem::remove(platform::PathFromUtf8(path), ignored);
        throw ado::_com_error(ado::E_FAIL, kSource,
                              "The file '" + path + "' cannot be created: " + failure + ".");
    }
    return std::unique_ptr<SqliteDatabase>(new SqliteDatabase(db, path));
}

std::unique_ptr<SqliteDatabase> SqliteDatabase::OpenInMemory()
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(
        ":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        throw ado::_com_error(ado::E_OUTOFMEMORY, kSource, "An in-memory database cannot be made.");
    }
    return std::unique_ptr<SqliteDatabase>(new SqliteDatabase(db, ":memory:"));
}

std::string SqliteDatabase::SourceName() const
{
    return kSource;
}

void SqliteDatabase::Raise(int rc, const std::string& context) const
{
    unsettled_ = true; // the file may want a rollback finished before it closes
    const std::string detail = sqlite3_errmsg(db_);
    switch (rc & 0xFF) {
    case SQLITE_CONSTRAINT:
        throw ado::_com_error(
            ado::DB_E_INTEGRITYVIOLATION, kSource,
            "The change was refused because it would break a rule of the table (" + detail + ").");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw ado::_com_error(ado::E_FAIL, kSource,
                              "The database file '" + path_ +
                                  "' is locked by another program; try again when it is free.");
    case SQLITE_READONLY:
        throw ado::_com_error(ado::E_FAIL, kSource,
                              "Cannot update. The database file '" + path_ + "' is read-only (" +
                                  detail + ").");
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        throw ado::_com_error(ado::E_FAIL, kSource,
                              "The file '" + path_ + "' is damaged or is not a database (" +
                                  detail + ").");
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
    case SQLITE_PERM:
        throw ado::_com_error(ado::E_FAIL, kSource,
                              "The database file '" + path_ + "' cannot be read or written (" +
                                  detail + ").");
    case SQLITE_FULL:
        throw ado::_com_error(ado::E_FAIL, kSource,
                              "The disk is full: the database file '" + path_ + "' cannot grow.");
    case SQLITE_NOMEM:
        throw ado::_com_error(ado::E_OUTOFMEMORY, kSource, "Out of memory.");
    case SQLITE_ERROR:
        if (detail.rfind("no such table", 0) == 0)
            throw ado::_com_error(ado::DB_E_NOTABLE, kSource,
                                  "The table or query does not exist (" + detail + ").");
        throw ado::_com_error(ado::DB_E_ERRORSINCOMMAND, kSource,
                              "The statement cannot be run (" + detail + "): '" + context + "'.");
    default:
        throw ado::_com_error(ado::E_FAIL, kSource, detail + " (" + context + ").");
    }
}

SqliteStatement& SqliteDatabase::Cached(const std::string& sql)
{
    auto it = cache_.find(sql);
    if (it == cache_.end())
        it = cache_.emplace(sql, std::make_unique<SqliteStatement>(*this, sql)).first;
    return *it->second;
}

void SqliteDatabase::RunSimple(const char* sql)
{
    SqliteStatement statement(*this, sql);
    statement.Step(sql);
}

long SqliteDatabase::Execute(const std::string& sql)
{
    ForgetStatements(); // a schema change must not meet statements prepared before it
    SqliteStatement statement(*this, sql);
    while (statement.Step(sql)) {
    }
    return sqlite3_changes(db_);
}

std::vector<ColumnInfo> SqliteDatabase::ColumnsOf(SqliteStatement& statement, std::size_t keyColumn)
{
    sqlite3_stmt* stmt = statement.get();
    const int count = sqlite3_column_count(stmt);
    std::vector<ColumnInfo> columns;
    for (int i = 0; i < count; ++i) {
        if (static_cast<std::size_t>(i) == keyColumn)
            continue;
        ColumnInfo column;
        column.name = sqlite3_column_name(stmt, i);
        const char* decl = sqlite3_column_decltype(stmt, i);
        column.declaredType = decl ? decl : "";
        column.type = VarTypeForDeclaredType(column.declaredType);
        column.maxChars = DeclaredTextWidth(column.declaredType);
        columns.push_back(std::move(column));
    }
    return columns;
}

RowSet SqliteDatabase::ReadAll(SqliteStatement& statement, std::size_t keyColumn)
{
    sqlite3_stmt* stmt = statement.get();
    const int count = sqlite3_column_count(stmt);
    RowSet set;
    set.columns = ColumnsOf(statement, keyColumn);
    while (statement.Step("reading rows")) {
        std::vector<ado::Variant> row;
        row.reserve(set.columns.size());
        std::size_t k = 0;
        for (int i = 0; i < count; ++i) {
            if (static_cast<std::size_t>(i) == keyColumn) {
                set.keys.push_back(sqlite3_column_int64(stmt, i));
                continue;
            }
            row.push_back(statement.Value(i, set.columns[k++].type));
        }
        set.rows.push_back(std::move(row));
    }
    // Columns with no declared kind take the kind of their first value.
    for (std::size_t c = 0; c < set.columns.size(); ++c)
        if (set.columns[c].type == ado::VT_EMPTY)
            set.columns[c].type = set.rows.empty() ? ado::VT_BSTR : set.rows.front()[c].vt();
    return set;
}

RowSet SqliteDatabase::Query(const std::string& sql)
{
    SqliteStatement statement(*this, sql);
    RowSet set = ReadAll(statement, SIZE_MAX);
    set.writable = false;
    return set;
}

SqliteDatabase::TableSelect SqliteDatabase::SelectTable(const std::string& name,
                                                        const std::vector<std::string>& only)
{
    TableSelect select;
    std::string type;
    {
        SqliteStatement find(*this,
                             "SELECT name, type FROM sqlite_schema WHERE type IN ('table','view') "
                             "AND name = ?1 COLLATE NOCASE");
        find.Bind(1, ado::Variant::Bstr(name));
        if (!find.Step("finding the table"))
            throw ado::_com_error(ado::DB_E_NOTABLE, kSource,
                                  "The table or query '" + name + "' does not exist.");
        select.realName = reinterpret_cast<const char*>(sqlite3_column_text(find.get(), 0));
        type = reinterpret_cast<const char*>(sqlite3_column_text(find.get(), 1));
    }
    const std::string from = " FROM main." + QuoteIdentifier(select.realName);

    std::vector<std::string> columnNames;
    {
        SqliteStatement info(*this, "SELECT name, \"notnull\" FROM pragma_table_info(?1)");
        info.Bind(1, ado::Variant::Bstr(select.realName));
        while (info.Step("reading the columns")) {
            columnNames.emplace_back(
                reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 0)));
            select.notNull.push_back(sqlite3_column_int(info.get(), 1) != 0);
        }
    }

    // A table's rows come in the order they were added: by rowid. Pick a name
    // for the rowid that no column shadows; a table without one is read-only.
    std::string keyName = type == "table" ? RowidAlias(columnNames) : std::string();
    if (!keyName.empty()) {
        char* error = nullptr;
        const std::string probe = "SELECT " + keyName + from + " LIMIT 0";
        if (sqlite3_exec(db_, probe.c_str(), nullptr, nullptr, &error) != SQLITE_OK)
            keyName.clear(); // WITHOUT ROWID table
        sqlite3_free(error);
    }
    select.keyed = !keyName.empty();
    // A table in rowid order can give fewer columns in the same order; a
    // view's or a WITHOUT ROWID table's order is its own, of every column.
    std::string wanted;
    if (select.keyed && !only.empty()) {
        std::vector<bool> notNull;
        for (std::size_t i = 0; i < columnNames.size(); ++i)
            if (std::any_of(only.begin(), only.end(), [&](const std::string& one) {
                    return strcasecmp(one.c_str(), columnNames[i].c_str()) == 0;
                })) {
                wanted += ", " + QuoteIdentifier(columnNames[i]);
                notNull.push_back(select.notNull[i]);
            }
        if (!wanted.empty())
            select.notNull = std::move(notNull);
    }
    const std::string keyed = "SELECT " + keyName + (wanted.empty() ? ", *" : wanted) + from;
    const std::string order = " ORDER BY " + keyName;
    select.sql = select.keyed ? keyed + order : "SELECT *" + from;
    select.countSql = "SELECT COUNT(*)" + from;
    if (select.keyed) {
        select.rangeSql = keyed + " WHERE " + keyName + " BETWEEN ?1 AND ?2" + order;
        // The least and greatest key apart, so that each takes one step down
        // the tree, not a scan; with the file's size and schema's version,
        // which tell another file at the same path.
        select.keySpanSql = "SELECT (SELECT min(" + keyName + ")" + from + "), (SELECT max(" +
                            keyName + ")" + from +
                            "), (SELECT * FROM pragma_page_count), (SELECT * FROM "
                            "pragma_schema_version)";
    }
    return select;
}

RowSet SqliteDatabase::OpenTable(const std::string& name)
{
    const TableSelect select = SelectTable(name);
    SqliteStatement statement(*this, select.sql);
    RowSet set = ReadAll(statement, select.keyed ? 0 : SIZE_MAX);
    if (select.keyed) {
        set.writable = true;
        set.table = select.realName;
    }
    for (std::size_t i = 0; i < set.columns.size() && i < select.notNull.size(); ++i)
        set.columns[i].notNull = select.notNull[i];
    return set;
}

// A table read outside a transaction passes over each page once: while it
// runs, the connection keeps few pages, so that a show of a hundred thousand
// cues does not also stand in the page cache. Inside a transaction the
// pages may be written next, and the cache stays as it is.
class SqliteDatabase::ScanCache
{
public:
    explicit ScanCache(SqliteDatabase& db) : db_(db)
    {
        if (!sqlite3_get_autocommit(db_.db_))
            return;
        SqliteStatement size(db_, "PRAGMA cache_size");
        if (!size.Step("reading the cache size"))
            return;
        kept_ = "PRAGMA cache_size=" + std::to_string(sqlite3_column_int64(size.get(), 0));
        db_.RunSimple("PRAGMA cache_size=-256");
    }
    ~ScanCache()
    {
        if (kept_.empty())
            return;
        try {
            db_.RunSimple(kept_.c_str());
        } catch (const ado::_com_error&) {
            // the cache stays small: slower, never wrong
        }
    }
    ScanCache(const ScanCache&) = delete;
    ScanCache& operator=(const ScanCache&) = delete;

private:
    SqliteDatabase& db_;
    std::string kept_;
};

// One row at a time: a show of 100 000 cues is never held twice.
void SqliteDatabase::StreamTable(const std::string& name, const RowSink& sink)
{
    const ScanCache scan(*this);
    StreamWhole(SelectTable(name, sink.onlyColumns), sink);
}

void SqliteDatabase::StreamWhole(const TableSelect& select, const RowSink& sink)
{
    SqliteStatement statement(*this, select.sql);
    StreamSelected(statement, select, sink,
                   sink.expectedRows ? std::optional(CountRows(select.countSql)) : std::nullopt);
}

void SqliteDatabase::StreamSelected(SqliteStatement& statement, const TableSelect& select,
                                    const RowSink& sink, std::optional<std::size_t> expected)
{
    const std::size_t keyColumn = select.keyed ? 0 : SIZE_MAX;
    std::vector<ColumnInfo> columns = ColumnsOf(statement, keyColumn);
    for (std::size_t i = 0; i < columns.size() && i < select.notNull.size(); ++i)
        columns[i].notNull = select.notNull[i];
    if (sink.columns)
        sink.columns(columns);
    if (sink.expectedRows && expected)
        sink.expectedRows(*expected);
    StreamRows(statement, keyColumn, columns, sink);
}

std::size_t SqliteDatabase::StreamTableInRuns(const std::string& name,
                                              const std::vector<const RowSink*>& runs)
{
    // Inside a transaction the other connections would not see its changes.
    if (runs.size() < 2 || !sqlite3_get_autocommit(db_) || path_ == ":memory:")
        return DatabaseEngine::StreamTableInRuns(name, runs);
    const ScanCache scan(*this);
    return ReadInRuns(SelectTable(name, runs.front()->onlyColumns), runs);
}

std::size_t SqliteDatabase::CountRows(const std::string& sql)
{
    SqliteStatement counting(*this, sql);
    if (!counting.Step("counting rows"))
        return 0;
    return static_cast<std::size_t>(
        std::max<sqlite3_int64>(sqlite3_column_int64(counting.get(), 0), 0));
}

void SqliteDatabase::StreamQuery(const std::string& sql, const RowSink& sink)
{
    SqliteStatement statement(*this, sql);
    const std::vector<ColumnInfo> columns = ColumnsOf(statement, SIZE_MAX);
    if (sink.columns)
        sink.columns(columns);
    StreamRows(statement, SIZE_MAX, columns, sink);
}

void SqliteDatabase::StreamRows(SqliteStatement& statement, std::size_t keyColumn,
                                const std::vector<ColumnInfo>& columns, const RowSink& sink)
{
    if (sink.cells) {
        const SqliteRowCells cells(statement, keyColumn, columns);
        while (statement.Step("reading rows"))
            sink.cells(cells);
        return;
    }
    const int count = sqlite3_column_count(statement.get());
    std::vector<ado::Variant> row;
    while (statement.Step("reading rows")) {
        row.clear();
        std::size_t k = 0;
        for (int i = 0; i < count; ++i)
            if (static_cast<std::size_t>(i) != keyColumn)
                row.push_back(statement.Value(i, columns[k++].type));
        if (sink.row)
            sink.row(row);
    }
}

std::vector<TableEntry> SqliteDatabase::ListTables()
{
    std::vector<TableEntry> tables;
    SqliteStatement statement(*this,
                              "SELECT name, type FROM sqlite_schema WHERE type IN ('table','view') "
                              "ORDER BY name");
    while (statement.Step("listing the tables")) {
        TableEntry entry;
        entry.name = reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0));
        const std::string type =
            reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 1));
        if (StartsWithNoCase(entry.name, "sqlite_"))
            entry.type = "SYSTEM TABLE";
        else
            entry.type = type == "view" ? "VIEW" : "TABLE";
        tables.push_back(std::move(entry));
    }
    tables.push_back({"sqlite_schema", "SYSTEM TABLE"});
    return tables;
}

void SqliteDatabase::CheckWidths(const std::string& table, const std::vector<ColumnInfo>& columns,
                                 const std::vector<ado::Variant>& values,
                                 const std::vector<bool>& changed) const
{
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!changed[i] || columns[i].maxChars <= 0 || values[i].vt() != ado::VT_BSTR)
            continue;
        // No more bytes than the width: no more characters either.
        if (values[i].bstrVal().size() <= static_cast<std::size_t>(columns[i].maxChars))
            continue;
        const std::size_t length = ado::Utf8Length(values[i].bstrVal());
        if (length > static_cast<std::size_t>(columns[i].maxChars))
            throw ado::_com_error(
                ado::E_FAIL, kSource,
                "The field '" + table + "." + columns[i].name +
                    "' is too small to accept the amount of data you attempted to add (" +
                    std::to_string(length) + " characters, at most " +
                    std::to_string(columns[i].maxChars) + ").");
    }
}

void SqliteDatabase::ForgetStatements()
{
    recentInserts_.clear();
    cache_.clear();
}

bool SqliteDatabase::RecentInsert::Fits(const std::string& into,
                                        const std::vector<ColumnInfo>& columns,
                                        const std::vector<bool>& changed, std::size_t count) const
{
    if (into != table || count != rows)
        return false;
    std::size_t k = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!changed[i])
            continue;
        if (k == names.size() || names[k] != columns[i].name)
            return false;
        ++k;
    }
    return k == names.size();
}

SqliteStatement& SqliteDatabase::InsertStatement(const std::string& table,
                                                 const std::vector<ColumnInfo>& columns,
                                                 const std::vector<bool>& changed, std::size_t rows)
{
    // Rows are inserted by the thousand, into a table or two in turn: the
    // statements of the last few are found by their columns at once.
    for (const RecentInsert& recent : recentInserts_)
        if (recent.Fits(table, columns, changed, rows))
            return *recent.statement;
    RecentInsert recent{table, {}, rows, nullptr};
    std::string names;
    std::string marks;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!changed[i])
            continue;
        recent.names.push_back(columns[i].name);
        names += (names.empty() ? "" : ",") + QuoteIdentifier(columns[i].name);
        marks += marks.empty() ? "?" : ",?";
    }
    std::string values = "(" + marks + ")";
    for (std::size_t row = 1; row < rows; ++row)
        values += ",(" + marks + ")";
    const std::string sql =
        names.empty()
            ? "INSERT INTO main." + QuoteIdentifier(table) + " DEFAULT VALUES"
            : "INSERT INTO main." + QuoteIdentifier(table) + " (" + names + ") VALUES " + values;
    recent.statement = &Cached(sql);
    if (recentInserts_.size() == kRecentInserts)
        recentInserts_.erase(recentInserts_.begin());
    recentInserts_.push_back(std::move(recent));
    return *recentInserts_.back().statement;
}

std::int64_t SqliteDatabase::InsertRow(const std::string& table,
                                       const std::vector<ColumnInfo>& columns,
                                       const std::vector<ado::Variant>& values,
                                       const std::vector<bool>& changed)
{
    CheckWidths(table, columns, values, changed);
    SqliteStatement& statement = InsertStatement(table, columns, changed);
    int index = 1;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (changed[i])
            statement.BindInPlace(index++, values[i]);
    statement.Step(statement.Sql());
    statement.Rearm(); // the next row binds every column again
    return sqlite3_last_insert_rowid(db_);
}

bool SqliteDatabase::InsertRows(const std::string& table, const std::vector<ColumnInfo>& columns,
                                const std::vector<std::vector<ado::Variant>>& rows,
                                const std::vector<bool>& changed)
{
    // One statement for many rows spares SQLite its work of each statement
    // (its cursors, its statement journal), most of the cost of a row.
    if (rows.size() < 2 || std::find(changed.begin(), changed.end(), true) == changed.end() ||
        sqlite3_get_autocommit(db_))
        return false;
    SqliteStatement* statement = nullptr;
    try {
        for (const std::vector<ado::Variant>& row : rows)
            CheckWidths(table, columns, row, changed);
        statement = &InsertStatement(table, columns, changed, rows.size());
        int index = 1;
        for (const std::vector<ado::Variant>& row : rows)
            for (std::size_t i = 0; i < columns.size(); ++i)
                if (changed[i])
                    statement->BindInPlace(index++, row[i]);
        statement->Step("inserting rows");
        statement->Rearm();
        return true;
    } catch (const ado::_com_error&) {
        if (statement)
            statement->Reset();
        // A failed statement's rows are undone as one, unless the failure
        // undid the whole transaction.
        if (sqlite3_get_autocommit(db_))
            throw;
        return false;
    }
}

void SqliteDatabase::UpdateRow(const std::string& table, std::int64_t key,
                               const std::vector<ColumnInfo>& columns,
                               const std::vector<ado::Variant>& values,
                               const std::vector<bool>& changed)
{
    CheckWidths(table, columns, values, changed);
    std::string assignments;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (changed[i])
            assignments +=
                (assignments.empty() ? "" : ",") + QuoteIdentifier(columns[i].name) + "=?";
    if (assignments.empty())
        return;
    const std::string keyName = RowidAlias(columns);
    if (keyName.empty())
        throw ado::_com_error(ado::adErrFeatureNotAvailable, kSource,
                              "The rows of '" + table + "' cannot be updated one by one.");
    const std::string sql = "UPDATE main." + QuoteIdentifier(table) + " SET " + assignments +
                            " WHERE " + keyName + "=?";
    SqliteStatement& statement = Cached(sql);
    int index = 1;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (changed[i])
            statement.BindInPlace(index++, values[i]);
    statement.BindKey(index, key);
    statement.Step(sql);
    statement.Reset();
    if (sqlite3_changes(db_) != 1)
        throw ado::_com_error(ado::E_FAIL, kSource,
                              "The record cannot be updated: it was deleted by another program.");
}

void SqliteDatabase::BeginTransaction()
{
    if (!sqlite3_get_autocommit(db_))
        throw ado::_com_error(ado::E_FAIL, kSource, "A transaction is already running.");
    RunSimple("BEGIN IMMEDIATE");
}

void SqliteDatabase::CommitTransaction()
{
    if (sqlite3_get_autocommit(db_))
        throw ado::_com_error(ado::E_FAIL, kSource, "No transaction is running.");
    RunSimple("COMMIT");
}

void SqliteDatabase::RollbackTransaction()
{
    ForgetStatements(); // no statement may hold a page that the rollback restores
    // Autocommit here: SQLite already undid it (a failed COMMIT, for one).
    if (!sqlite3_get_autocommit(db_))
        RunSimple("ROLLBACK");
    // After a failed write (a full disk) SQLite may have undone the
    // transaction in memory only: the file keeps the pages written so far and
    // a hot journal until the next read, which plays the journal back. Read
    // now, so that the file is the one the user had before it is closed.
    RunSimple(kSettlingRead);
    unsettled_ = false;
}

} // namespace store
