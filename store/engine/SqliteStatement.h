#pragma once

#include "store/Variant.h"
#include "store/engine/DatabaseEngine.h"
#include "store/engine/RowCells.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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

// The current row of a statement as cells, its key column (if any) passed
// over: each number and text straight from the row where its storage
// allows, else through the value as Value reads it.
class SqliteRowCells final : public RowCells
{
public:
    SqliteRowCells(const SqliteStatement& statement, std::size_t keyColumn,
                   const std::vector<ColumnInfo>& columns)
        : statement_(statement), keyColumn_(keyColumn), columns_(columns)
    {
    }

    ado::Variant Value(std::size_t field) const override;
    bool Integer(std::size_t field, int& out, bool& null) const override;
    bool Text(std::size_t field, std::string& out, bool& null) const override;

private:
    int At(std::size_t field) const
    {
        return static_cast<int>(field < keyColumn_ ? field : field + 1);
    }

    const SqliteStatement& statement_;
    std::size_t keyColumn_;
    const std::vector<ColumnInfo>& columns_;
};

} // namespace store
