#pragma once

#include "store/Variant.h"

#include <cstdint>
#include <string>

struct sqlite3_stmt;

namespace store {

class SqliteDatabase;

// The source name the SQLite engine's errors carry.
inline constexpr char kSqliteSource[] = "SQLite";

// One prepared statement of the SQLite engine, finalized when it goes, with
// its typed binding (a value into a parameter) and its typed reading (a
// column of the current row into a value, as its column is declared). A call
// that fails raises the engine's error, as its connection records it.
class SqliteStatement
{
public:
    // `singleOnly`: more than one statement in `sql` is refused.
    SqliteStatement(const SqliteDatabase& owner, const std::string& sql, bool singleOnly = true);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    sqlite3_stmt* get() const { return stmt_; }
    const std::string& Sql() const { return sql_; }

    // Steps once; true while a row is there.
    bool Step(const std::string& context);
    // Ready to run again, every parameter unbound.
    void Reset();
    // Ready to run again, the parameters left as they are: for a caller that
    // binds every one of them before each step.
    void Rearm();

    // Parameter `index` (from 1) takes `value` as SQLite stores its kind:
    // numbers as numbers, dates and decimals as their text, empty as NULL.
    void Bind(int index, const ado::Variant& value);
    // As Bind, without a copy: a text or a blob of `value` must stay where it
    // is until the next step is done. For rows written by the thousand.
    void BindInPlace(int index, const ado::Variant& value);
    void BindKey(int index, std::int64_t key);

    // Column `column` (from 0) of the current row, read as `declared` says,
    // or as the value's own storage class when it does not fit that.
    ado::Variant Value(int column, ado::VarType declared) const;

private:
    void BindAs(int index, const ado::Variant& value, void (*keep)(void*));

    const SqliteDatabase& owner_;
    std::string sql_;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace store
