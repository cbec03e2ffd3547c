#include "store/engine/SqliteDatabase.h"

#include "platform/NewFile.h"
#include "platform/Utf8Path.h"
#include "store/SqlQuoting.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <sqlite3.h>

namespace store {

namespace {
constexpr char kSource[] = "SQLite";
constexpr int kBusyWaitMs = 2000; // a locked file fails after this, never hangs
// A read that makes SQLite finish an interrupted rollback (see RollbackTransaction).
constexpr char kSettlingRead[] = "SELECT count(*) FROM sqlite_schema";

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    return strncasecmp(text.c_str(), prefix, std::strlen(prefix)) == 0;
}

bool OnlyBlanksOrSemicolons(const char* tail)
{
    for (; tail && *tail; ++tail)
        if (*tail != ';' && *tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n')
            return false;
    return true;
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

ado::Variant ByStorageClass(sqlite3_stmt* stmt, int i)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER: {
        const sqlite3_int64 v = sqlite3_column_int64(stmt, i);
        if (v >= INT32_MIN && v <= INT32_MAX)
            return ado::Variant::I4(static_cast<std::int32_t>(v));
        return ado::Variant::R8(static_cast<double>(v));
    }
    case SQLITE_FLOAT:
        return ado::Variant::R8(sqlite3_column_double(stmt, i));
    case SQLITE_TEXT:
        return ado::Variant::Bstr(
            std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                        static_cast<std::size_t>(sqlite3_column_bytes(stmt, i))));
    case SQLITE_BLOB: {
        const void* blob = sqlite3_column_blob(stmt, i);
        const auto size = static_cast<std::size_t>(sqlite3_column_bytes(stmt, i));
        return ado::Variant::Bytes(size ? std::string(static_cast<const char*>(blob), size)
                                        : std::string());
    }
    default:
        return ado::Variant::Null();
    }
}

// Reads a value the way its column is declared, falling back on the value's
// own storage class when it does not fit the declaration.
ado::Variant ReadValue(sqlite3_stmt* stmt, int i, ado::VarType declared)
{
    const int storage = sqlite3_column_type(stmt, i);
    if (storage == SQLITE_NULL)
        return ado::Variant::Null();
    const bool isInteger = storage == SQLITE_INTEGER;
    const bool isNumber = isInteger || storage == SQLITE_FLOAT;
    const sqlite3_int64 n = isInteger ? sqlite3_column_int64(stmt, i) : 0;
    switch (declared) {
    case ado::VT_I2:
        if (isInteger && n >= INT16_MIN && n <= INT16_MAX)
            return ado::Variant::I2(static_cast<std::int16_t>(n));
        break;
    case ado::VT_UI1:
        if (isInteger && n >= 0 && n <= 255)
            return ado::Variant::UI1(static_cast<std::uint8_t>(n));
        break;
    case ado::VT_BOOL:
        if (isInteger)
            return ado::Variant::Bool(n != 0);
        break;
    case ado::VT_R4:
        if (isNumber)
            return ado::Variant::R4(static_cast<float>(sqlite3_column_double(stmt, i)));
        break;
    case ado::VT_R8:
        if (isNumber)
            return ado::Variant::R8(sqlite3_column_double(stmt, i));
        break;
    case ado::VT_DECIMAL: {
        ado::Decimal d;
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        if (isInteger || storage == SQLITE_TEXT) {
            if (text && ado::Decimal::FromText(text, d))
                return ado::Variant::Dec(d);
        } else if (storage == SQLITE_FLOAT) {
            return ado::Variant::Dec(ado::Decimal::FromDouble(sqlite3_column_double(stmt, i)));
        }
        break;
    }
    case ado::VT_DATE:
        if (storage == SQLITE_TEXT) {
            double ole = 0;
            if (ado::ParseDateText(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                   ole))
                return ado::Variant::Date(ole);
        } else if (storage == SQLITE_FLOAT) {
            // SQLite's own convention for a date held as a number: a Julian day.
            return ado::Variant::Date(sqlite3_column_double(stmt, i) - 2415018.5);
        }
        break;
    default:
        break;
    }
    return ByStorageClass(stmt, i);
}

std::string DateText(double ole)
{
    const ado::DateParts p = ado::OleDateToParts(ole);
    char buf[48];
    if (p.millisecond)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", p.year, p.month, p.day,
                      p.hour, p.minute, p.second, p.millisecond);
    else
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day,
                      p.hour, p.minute, p.second);
    return buf;
}
} // namespace

// A prepared statement, finalized when it goes.
class SqliteDatabase::Statement
{
public:
    Statement(const SqliteDatabase& owner, const std::string& sql, bool singleOnly = true)
        : owner_(owner), sql_(sql)
    {
        const char* tail = nullptr;
        const int rc =
            sqlite3_prepare_v2(owner.db_, sql.c_str(), static_cast<int>(sql.size()), &stmt_, &tail);
        if (rc != SQLITE_OK)
            owner.Raise(rc, sql);
        if (!stmt_)
            throw ado::_com_error(ado::DB_E_ERRORSINCOMMAND, kSource,
                                  "The statement is empty: '" + sql + "'.");
        if (singleOnly && !OnlyBlanksOrSemicolons(tail)) {
            sqlite3_finalize(stmt_);
            throw ado::_com_error(ado::DB_E_ERRORSINCOMMAND, kSource,
                                  "Characters found after the end of the SQL statement: '" + sql +
                                      "'.");
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return stmt_; }
    const std::string& Sql() const { return sql_; }

    // Steps once; true while a row is there.
    bool Step(const std::string& context)
    {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        const int code = sqlite3_extended_errcode(owner_.db_);
        sqlite3_reset(stmt_);
        owner_.Raise(code, context);
    }
    void Reset()
    {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }

    void Bind(int index, const ado::Variant& v)
    {
        int rc = SQLITE_OK;
        switch (v.vt()) {
        case ado::VT_I2:
            rc = sqlite3_bind_int(stmt_, index, v.iVal());
            break;
        case ado::VT_BOOL:
            rc = sqlite3_bind_int(stmt_, index, v.boolVal() ? 1 : 0);
            break;
        case ado::VT_I4:
        case ado::VT_INT:
            rc = sqlite3_bind_int(stmt_, index, v.lVal());
            break;
        case ado::VT_UI1:
            rc = sqlite3_bind_int(stmt_, index, v.bVal());
            break;
        case ado::VT_UI4:
            rc = sqlite3_bind_int64(stmt_, index, v.ulVal());
            break;
        case ado::VT_R4:
            rc = sqlite3_bind_double(stmt_, index, static_cast<double>(v.fltVal()));
            break;
        case ado::VT_R8:
            rc = sqlite3_bind_double(stmt_, index, v.dblVal());
            break;
        case ado::VT_DATE: {
            const std::string text = DateText(v.date());
            rc = sqlite3_bind_text(stmt_, index, text.c_str(), static_cast<int>(text.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        case ado::VT_DECIMAL: {
            const std::string text = v.decVal().ToText();
            rc = sqlite3_bind_text(stmt_, index, text.c_str(), static_cast<int>(text.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        case ado::VT_BSTR:
            rc = sqlite3_bind_text(stmt_, index, v.bstrVal().c_str(),
                                   static_cast<int>(v.bstrVal().size()), SQLITE_TRANSIENT);
            break;
        case ado::VT_BLOB_BYTES:
            rc = sqlite3_bind_blob(stmt_, index, v.bstrVal().data(),
                                   static_cast<int>(v.bstrVal().size()), SQLITE_TRANSIENT);
            break;
        default: // empty, null, a missing argument
            rc = sqlite3_bind_null(stmt_, index);
            break;
        }
        if (rc != SQLITE_OK)
            owner_.Raise(rc, "binding a value");
    }

private:
    const SqliteDatabase& owner_;
    std::string sql_;
    sqlite3_stmt* stmt_ = nullptr;
};

SqliteDatabase::SqliteDatabase(sqlite3* db, std::string path) : db_(db), path_(std::move(path))
{
    sqlite3_busy_timeout(db_, kBusyWaitMs);
    sqlite3_extended_result_codes(db_, 1);
}

SqliteDatabase::~SqliteDatabase()
{
    cache_.clear();
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
    Statement probe(*database, "SELECT count(*) FROM sqlite_schema");
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

SqliteDatabase::Statement& SqliteDatabase::Cached(const std::string& sql)
{
    auto it = cache_.find(sql);
    if (it == cache_.end())
        it = cache_.emplace(sql, std::make_unique<Statement>(*this, sql)).first;
    return *it->second;
}

void SqliteDatabase::RunSimple(const char* sql)
{
    Statement statement(*this, sql);
    statement.Step(sql);
}

long SqliteDatabase::Execute(const std::string& sql)
{
    cache_.clear(); // a schema change must not meet statements prepared before it
    Statement statement(*this, sql);
    while (statement.Step(sql)) {
    }
    return sqlite3_changes(db_);
}

std::vector<ColumnInfo> SqliteDatabase::ColumnsOf(Statement& statement, std::size_t keyColumn)
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

RowSet SqliteDatabase::ReadAll(Statement& statement, std::size_t keyColumn)
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
            row.push_back(ReadValue(stmt, i, set.columns[k++].type));
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
    Statement statement(*this, sql);
    RowSet set = ReadAll(statement, SIZE_MAX);
    set.writable = false;
    return set;
}

SqliteDatabase::TableSelect SqliteDatabase::SelectTable(const std::string& name)
{
    TableSelect select;
    std::string type;
    {
        Statement find(*this, "SELECT name, type FROM sqlite_schema WHERE type IN ('table','view') "
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
        Statement info(*this, "SELECT name, \"notnull\" FROM pragma_table_info(?1)");
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
    select.sql = select.keyed ? "SELECT " + keyName + ", *" + from + " ORDER BY " + keyName
                              : "SELECT *" + from;
    return select;
}

RowSet SqliteDatabase::OpenTable(const std::string& name)
{
    const TableSelect select = SelectTable(name);
    Statement statement(*this, select.sql);
    RowSet set = ReadAll(statement, select.keyed ? 0 : SIZE_MAX);
    if (select.keyed) {
        set.writable = true;
        set.table = select.realName;
    }
    for (std::size_t i = 0; i < set.columns.size() && i < select.notNull.size(); ++i)
        set.columns[i].notNull = select.notNull[i];
    return set;
}

// One row at a time: a show of 100 000 cues is never held twice.
void SqliteDatabase::StreamTable(const std::string& name, const RowSink& sink)
{
    const TableSelect select = SelectTable(name);
    Statement statement(*this, select.sql);
    const std::size_t keyColumn = select.keyed ? 0 : SIZE_MAX;
    std::vector<ColumnInfo> columns = ColumnsOf(statement, keyColumn);
    for (std::size_t i = 0; i < columns.size() && i < select.notNull.size(); ++i)
        columns[i].notNull = select.notNull[i];
    if (sink.columns)
        sink.columns(columns);
    sqlite3_stmt* stmt = statement.get();
    const int count = sqlite3_column_count(stmt);
    std::vector<ado::Variant> row;
    while (statement.Step("reading rows")) {
        row.clear();
        std::size_t k = 0;
        for (int i = 0; i < count; ++i)
            if (static_cast<std::size_t>(i) != keyColumn)
                row.push_back(ReadValue(stmt, i, columns[k++].type));
        if (sink.row)
            sink.row(row);
    }
}

std::vector<TableEntry> SqliteDatabase::ListTables()
{
    std::vector<TableEntry> tables;
    Statement statement(*this,
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

std::int64_t SqliteDatabase::InsertRow(const std::string& table,
                                       const std::vector<ColumnInfo>& columns,
                                       const std::vector<ado::Variant>& values,
                                       const std::vector<bool>& changed)
{
    CheckWidths(table, columns, values, changed);
    // Rows are inserted by the thousand: the statement is found by a key that
    // is cheap to make (no SQL text begins with a control character).
    std::string key = "\x01";
    key += table;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (changed[i]) {
            key += '\n';
            key += columns[i].name;
        }
    }
    auto cached = cache_.find(key);
    if (cached == cache_.end()) {
        std::string names;
        std::string marks;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (!changed[i])
                continue;
            names += (names.empty() ? "" : ",") + QuoteIdentifier(columns[i].name);
            marks += marks.empty() ? "?" : ",?";
        }
        const std::string sql =
            names.empty() ? "INSERT INTO main." + QuoteIdentifier(table) + " DEFAULT VALUES"
                          : "INSERT INTO main." + QuoteIdentifier(table) + " (" + names +
                                ") VALUES (" + marks + ")";
        cached = cache_.emplace(key, std::make_unique<Statement>(*this, sql)).first;
    }
    Statement& statement = *cached->second;
    int index = 1;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (changed[i])
            statement.Bind(index++, values[i]);
    statement.Step(statement.Sql());
    statement.Reset();
    return sqlite3_last_insert_rowid(db_);
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
    Statement& statement = Cached(sql);
    int index = 1;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (changed[i])
            statement.Bind(index++, values[i]);
    if (sqlite3_bind_int64(statement.get(), index, key) != SQLITE_OK)
        Raise(SQLITE_ERROR, sql);
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
    cache_.clear(); // no statement may hold a page that the rollback restores
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
