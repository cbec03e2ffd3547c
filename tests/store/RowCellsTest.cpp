#include "store/engine/RowCells.h"

#include "store/FieldText.h"
#include "store/engine/SqliteDatabase.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// What a reader of cells gets for one field.
struct CellReading
{
    bool integerRead = false;
    int integer = 0;
    bool textRead = false;
    std::string text;
    bool null = false;

    bool operator==(const CellReading&) const = default;
};

std::ostream& operator<<(std::ostream& out, const CellReading& r)
{
    return out << "{integer " << r.integerRead << ":" << r.integer << ", text " << r.textRead
               << ":'" << r.text << "', null " << r.null << "}";
}

CellReading FromValue(const ado::Variant& value)
{
    CellReading reading;
    reading.integerRead = store::FieldToInteger(value, reading.integer);
    reading.textRead = store::FieldToText(value, "", reading.text);
    reading.null = value.IsNull();
    return reading;
}

CellReading FromCells(const store::RowCells& cells, std::size_t field)
{
    CellReading reading;
    bool null = false;
    reading.integerRead = cells.Integer(field, reading.integer, null);
    reading.textRead = cells.Text(field, reading.text, reading.null);
    EXPECT_EQ(null, reading.null);
    return reading;
}

} // namespace

// A row read as cells answers every number and text as the values of the
// same row do, whatever the column's declared kind and the value's own.
TEST(RowCells, AnswerAsTheRowsValuesForEveryDeclaredKindAndStorage)
{
    testsupport::TempDir dir;
    auto db = store::SqliteDatabase::CreateNew(dir.File("cells.db"));
    db->Execute("CREATE TABLE kinds(i int, t nVarchar(32), s smallint, b tinyint, yes bit, "
                "f single, d double, m decimal(10,2), w datetime, o blob, u)");
    const char* literals[] = {
        "NULL",   "7",   "-7", "3000000000", "-3000000000", "2.0",   "2.5",
        "'12'",   "'x'", "''", "X'0102'",    "1e300",       "40000", "'2026-12-11 10:00:00'",
        "' 12 '", "255"};
    for (const char* literal : literals) {
        std::string values;
        for (int column = 0; column < 11; ++column)
            values += std::string(column ? "," : "") + literal;
        db->Execute("INSERT INTO kinds VALUES (" + values + ")");
    }
    std::vector<std::vector<ado::Variant>> rows;
    store::RowSink values;
    values.columns = [](const std::vector<store::ColumnInfo>&) {};
    values.row = [&rows](const std::vector<ado::Variant>& row) { rows.push_back(row); };
    db->StreamTable("kinds", values);
    ASSERT_EQ(rows.size(), std::size(literals));

    for (const bool asQuery : {false, true}) {
        SCOPED_TRACE(asQuery ? "a query" : "a table");
        std::size_t at = 0;
        store::RowSink cells;
        cells.columns = [](const std::vector<store::ColumnInfo>&) {};
        cells.cells = [&](const store::RowCells& row) {
            ASSERT_LT(at, rows.size());
            for (std::size_t field = 0; field < rows[at].size(); ++field) {
                SCOPED_TRACE(std::string(literals[at]) + " in field " + std::to_string(field));
                EXPECT_EQ(FromCells(row, field), FromValue(rows[at][field]));
                EXPECT_EQ(row.Value(field), rows[at][field]);
            }
            ++at;
        };
        if (asQuery)
            db->StreamQuery("SELECT * FROM kinds", cells);
        else
            db->StreamTable("kinds", cells);
        EXPECT_EQ(at, rows.size());
    }
}

// An engine that makes its rows of values hands them to a reader of cells
// all the same.
TEST(RowCells, ARowOfValuesGoesToASinkOfCellsOrOfValues)
{
    const std::vector<ado::Variant> row = {ado::Variant::I4(5), ado::Variant::Null(),
                                           ado::Variant::Bstr("07"), ado::Variant::R8(1.5)};
    int seen = 0;
    store::RowSink cells;
    cells.cells = [&](const store::RowCells& got) {
        ++seen;
        for (std::size_t field = 0; field < row.size(); ++field)
            EXPECT_EQ(FromCells(got, field), FromValue(row[field])) << field;
    };
    cells.row = [](const std::vector<ado::Variant>&) { ADD_FAILURE() << "cells are asked for"; };
    store::DeliverRow(cells, row);
    store::RowSink values;
    values.row = [&](const std::vector<ado::Variant>& got) {
        ++seen;
        EXPECT_EQ(got, row);
    };
    store::DeliverRow(values, row);
    EXPECT_EQ(seen, 2);
}
