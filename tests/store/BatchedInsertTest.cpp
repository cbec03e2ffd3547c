#include "store/TableCopy.h"
#include "store/engine/SqliteDatabase.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

using testsupport::TempDir;

std::vector<std::vector<ado::Variant>> Numbered(int from, int count)
{
    std::vector<std::vector<ado::Variant>> rows;
    for (int n = from; n < from + count; ++n)
        rows.push_back({ado::Variant::I4(n), ado::Variant::Bstr("r" + std::to_string(n))});
    return rows;
}

std::string Rows(store::SqliteDatabase& db, const std::string& table)
{
    std::string all;
    for (const auto& row : db.Query("SELECT * FROM " + table + " ORDER BY rowid").rows)
        all += row.at(1).bstrVal() + " ";
    return all;
}

TEST(InsertRows, WritesTheRowsInOrderInsideATransactionOrNoneOfThem)
{
    TempDir dir;
    auto db = store::SqliteDatabase::CreateNew(dir.File("rows.db"));
    db->Execute("CREATE TABLE t(a int NOT NULL, b nVarchar(4))");
    const std::vector<store::ColumnInfo> columns = db->OpenTable("t").columns;
    const std::vector<bool> both(2, true);
    // Outside a transaction each row stands alone, as InsertRow writes it.
    EXPECT_FALSE(db->InsertRows("t", columns, Numbered(1, 3), both));
    db->BeginTransaction();
    EXPECT_TRUE(db->InsertRows("t", columns, Numbered(1, 3), both));
    EXPECT_TRUE(db->InsertRows("t", columns, Numbered(4, 2), both));
    // A row the table refuses, by its rule or its width: none is written.
    auto refused = Numbered(6, 3);
    refused[1][0] = ado::Variant::Null();
    EXPECT_FALSE(db->InsertRows("t", columns, refused, both));
    refused = Numbered(6, 3);
    refused[2][1] = ado::Variant::Bstr("longer");
    EXPECT_FALSE(db->InsertRows("t", columns, refused, both));
    db->CommitTransaction();
    EXPECT_EQ(Rows(*db, "t"), "r1 r2 r3 r4 r5 ");
}

// A source of 200 rows whose reading fails at the 50th.
std::unique_ptr<store::SqliteDatabase> FailingSource(const TempDir& dir)
{
    auto source = store::SqliteDatabase::CreateNew(dir.File("from.db"));
    source->Execute("CREATE TABLE n(a int, b nVarchar(4))");
    source->Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200) "
                    "INSERT INTO n SELECT i, 'r' || i FROM n");
    source->Execute("CREATE VIEW t AS SELECT a, CASE WHEN a = 50 THEN "
                    "abs(-9223372036854775807 - 1) ELSE b END AS b FROM n");
    return source;
}

TEST(StreamTableCopy, RowsWrittenManyAtATimeFailInTheOrderOfTheRows)
{
    TempDir dir;
    auto source = FailingSource(dir);
    auto target = store::SqliteDatabase::CreateNew(dir.File("to.db"));
    target->BeginTransaction();
    // A row the target refuses: the rows before it are written.
    target->Execute("CREATE TABLE n(a int CHECK (a <> 30), b text)");
    EXPECT_THROW(store::StreamRowsInto(*source, "n", *target), ado::_com_error);
    EXPECT_EQ(Rows(*target, "n").substr(0, 9), "r1 r2 r3 ");
    EXPECT_EQ(target->Query("SELECT max(a) FROM n").rows.at(0).at(0).lVal(), 29);
    // What the rows read before a failing read raise comes first.
    store::RowSink also;
    also.row = [](const std::vector<ado::Variant>& row) {
        if (row.at(0).lVal() == 20)
            throw std::logic_error("row 20");
    };
    EXPECT_THROW(store::StreamTableCopy(*source, "t", *target, also), std::logic_error);
    target->RollbackTransaction();
}

} // namespace
