#include "store/engine/SqliteStatement.h"

#include "store/FieldText.h"
#include "store/engine/SqliteDatabase.h"

#include <climits>
#include <cstdio>
#include <sqlite3.h>
#include <utility>

namespace store {

namespace {

constexpr const char* kSource = kSqliteSource;

bool OnlyBlanksOrSemicolons(const char* tail)
{
    for (; tail && *tail; ++tail)
        if (*tail != ';' && *tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n')
            return false;
    return true;
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
    if (isInteger) // read once already: the commonest value of all, by the million
        return n >= INT32_MIN && n <= INT32_MAX ? ado::Variant::I4(static_cast<std::int32_t>(n))
                                                : ado::Variant::R8(static_cast<double>(n));
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

SqliteStatement::SqliteStatement(const SqliteDatabase& owner, const std::string& sql,
                                 bool singleOnly)
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

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(stmt_);
}

bool SqliteStatement::Step(const std::string& context)
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

void SqliteStatement::Reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

void SqliteStatement::Rearm()
{
    sqlite3_reset(stmt_);
}

void SqliteStatement::Bind(int index, const ado::Variant& value)
{
    BindAs(index, value, SQLITE_TRANSIENT);
}

void SqliteStatement::BindInPlace(int index, const ado::Variant& value)
{
    BindAs(index, value, SQLITE_STATIC);
}

void SqliteStatement::BindAs(int index, const ado::Variant& v, void (*keep)(void*))
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
                               static_cast<int>(v.bstrVal().size()), keep);
        break;
    case ado::VT_BLOB_BYTES:
        rc = sqlite3_bind_blob(stmt_, index, v.bstrVal().data(),
                               static_cast<int>(v.bstrVal().size()), keep);
        break;
    default: // empty, null, a missing argument
        rc = sqlite3_bind_null(stmt_, index);
        break;
    }
    if (rc != SQLITE_OK)
        owner_.Raise(rc, "binding a value");
}

void SqliteStatement::BindKey(int index, std::int64_t key)
{
    if (sqlite3_bind_int64(stmt_, index, key) != SQLITE_OK)
        owner_.Raise(SQLITE_ERROR, sql_);
}

ado::Variant SqliteStatement::Value(int column, ado::VarType declared) const
{
    return ReadValue(stmt_, column, declared);
}

// Each fast way below gives what ReadValue makes of that storage and
// declared kind; any other pair takes the long way through the value. The
// row's value is looked at once: each column call takes the connection's
// lock again.
ado::Variant SqliteRowCells::Value(std::size_t field) const
{
    return statement_.Value(At(field), columns_.at(field).type);
}

namespace {

// The current row's value in `column` and its storage class.
std::pair<sqlite3_value*, int> StoredValue(const SqliteStatement& statement, int column)
{
    sqlite3_value* value = sqlite3_column_value(statement.get(), column);
    return {value, sqlite3_value_type(value)};
}

} // namespace

bool SqliteRowCells::Integer(std::size_t field, int& out, bool& null) const
{
    const int column = At(field);
    const ado::VarType declared = columns_.at(field).type;
    const auto [value, storage] = StoredValue(statement_, column);
    null = storage == SQLITE_NULL;
    if (null) {
        out = 0;
        return true;
    }
    if (storage == SQLITE_INTEGER &&
        (declared == ado::VT_I4 || declared == ado::VT_INT || declared == ado::VT_BSTR)) {
        const sqlite3_int64 n = sqlite3_value_int64(value);
        if (n >= INT32_MIN && n <= INT32_MAX) {
            out = static_cast<int>(n);
            return true;
        }
    }
    return FieldToInteger(statement_.Value(column, declared), out);
}

bool SqliteRowCells::Text(std::size_t field, std::string& out, bool& null) const
{
    const int column = At(field);
    const ado::VarType declared = columns_.at(field).type;
    const auto [value, storage] = StoredValue(statement_, column);
    null = storage == SQLITE_NULL;
    if (null) {
        out.clear();
        return true;
    }
    if (storage == SQLITE_TEXT && declared != ado::VT_DECIMAL && declared != ado::VT_DATE) {
        if (const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value))) {
            out.assign(text, static_cast<std::size_t>(sqlite3_value_bytes(value)));
            return true;
        }
    }
    return FieldToText(statement_.Value(column, declared), "", out);
}

} // namespace store
