// Making a new SQLite file through a connection, and copying a table into one.
#include "store/TableCopy.h"

#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/FieldText.h"
#include "store/LayoutTable.h"
#include "store/Transaction.h"
#include "tests/store/AccessFixtures.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using testsupport::TempDir;

std::string Cs(const std::string& path)
{
    return store::ConnectionStringFor(path);
}

TEST(DatabaseCreate, MakesAnEmptySqliteFileAndOpensIt)
{
    TempDir dir;
    const std::string path = dir.File("new.db");
    CADODataBase db;
    ASSERT_TRUE(db.Create(Cs(path))) << db.GetLastErrorText();
    EXPECT_TRUE(db.IsOpen());
    EXPECT_FALSE(db.GetConnection()->IsReadOnlyFormat());
    EXPECT_TRUE(db.Execute(store::kCreateLayoutTableSql)) << db.GetLastErrorText();
    db.Close();
    ASSERT_TRUE(db.Open(Cs(path), "", ""));
    EXPECT_TRUE(store::HasLayoutTable(db));
}

// A streamed read learns how many rows come before the first, and then gets
// them in the order they were added.
TEST(DatabaseCreate, StreamedRowsAreCountedBeforeTheyCome)
{
    TempDir dir;
    const std::string path =
        testsupport::MakeSqliteFile(dir.File("rows.db"), "CREATE TABLE t(v int)");
    testsupport::RunSql(path, "INSERT INTO t VALUES (3),(1),(2)");
    CADODataBase db;
    ASSERT_TRUE(db.Open(Cs(path), "", "")) << db.GetLastErrorText();
    std::vector<std::string> seen;
    store::RowSink sink;
    sink.expectedRows = [&seen](std::size_t rows) {
        seen.push_back("expect " + std::to_string(rows));
    };
    sink.row = [&seen](const std::vector<ado::Variant>& row) {
        int value = 0;
        EXPECT_TRUE(store::FieldToInteger(row.at(0), value));
        seen.push_back(std::to_string(value));
    };
    db.GetConnection()->Engine().StreamTable("T", sink);
    EXPECT_EQ(seen, (std::vector<std::string>{"expect 3", "3", "1", "2"}));
}

TEST(DatabaseCreate, RefusesAnExistingFileAndLeavesItAlone)
{
    TempDir dir;
    const std::string path = dir.File("there.db");
    accessfixtures::Write(path, "precious");
    CADODataBase db;
    EXPECT_FALSE(db.Create(Cs(path)));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(accessfixtures::Bytes(path), "precious");
    EXPECT_EQ(
        db.GetLastErrorText().rfind("Connection String = " + Cs(path) + "\nCADODataBase Error", 0),
        0u);
    EXPECT_NE(db.GetLastErrorDescription().find("cannot be created"), std::string::npos)
        << db.GetLastErrorDescription();
}

TEST(DatabaseCreate, FolderThatDoesNotExistFails)
{
    TempDir dir;
    CADODataBase db;
    EXPECT_FALSE(db.Create(Cs(dir.File("no/such/folder.db"))));
    EXPECT_NE(db.GetLastErrorDescription().find("No such file"), std::string::npos)
        << db.GetLastErrorDescription();
}

TEST(DatabaseCreate, AccessFilesAreAReadOnlyFormat)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(Cs(accessfixtures::Path("testV1997.mdb")), "", ""));
    EXPECT_TRUE(db.GetConnection()->IsReadOnlyFormat());
}

class TableCopy : public ::testing::Test
{
protected:
    TableCopy()
    {
        EXPECT_TRUE(access.Open(Cs(accessfixtures::Path("testV1997.mdb")), "", ""));
        EXPECT_TRUE(source.Open("Table1", modeTable)) << source.GetLastErrorText();
        EXPECT_TRUE(target.Create(Cs(dir.File("copy.db")))) << target.GetLastErrorText();
    }

    TempDir dir;
    CADODataBase access;
    CADORecordset source{&access};
    CADODataBase target;
};

TEST_F(TableCopy, AccessTableCopiesWholeWithItsKindsOfValue)
{
    store::CopyTable(*source.GetRecordset(), "Copied", target);
    CADORecordset copy(&target);
    ASSERT_TRUE(copy.Open("Copied", modeTable)) << copy.GetLastErrorText();
    const auto from = source.GetRecordset();
    const auto to = copy.GetRecordset();
    ASSERT_EQ(to->Fields().size(), from->Fields().size());
    for (std::size_t i = 0; i < from->Fields().size(); ++i) {
        EXPECT_EQ(to->Fields()[i].name, from->Fields()[i].name);
        EXPECT_EQ(to->Fields()[i].type, from->Fields()[i].type) << from->Fields()[i].name;
    }
    ASSERT_EQ(to->RecordCount(), from->RecordCount());
    ASSERT_GT(from->RecordCount(), 1);
    for (from->MoveFirst(); !from->EndOfFile(); from->MoveNext(), to->MoveNext()) {
        for (std::size_t i = 0; i < from->Fields().size(); ++i) {
            const ado::Variant was = from->GetFieldValue(i);
            const ado::Variant is = to->GetFieldValue(i);
            if (was.vt() == ado::VT_DECIMAL) // SQLite keeps the value, not the trailing zeros
                EXPECT_EQ(is.decVal().ToDouble(), was.decVal().ToDouble());
            else
                EXPECT_EQ(is, was) << from->Fields()[i].name;
        }
    }
}

TEST_F(TableCopy, UndoneWithTheCallersTransaction)
{
    {
        store::Transaction transaction(*target.GetConnection());
        store::CopyTable(*source.GetRecordset(), "Copied", target);
    }
    CADORecordset copy(&target);
    EXPECT_FALSE(copy.Open("Copied", modeTable));
}

TEST_F(TableCopy, AppendRowsFillsColumnsByName)
{
    ASSERT_TRUE(target.Execute("CREATE TABLE Picked(E int, A nVarchar(50), Extra int)"));
    CADORecordset picked(&access);
    ASSERT_TRUE(picked.Open("SELECT A, E FROM Table1", modeQuery));
    store::AppendRows(*picked.GetRecordset(), "Picked", target);
    CADORecordset copy(&target);
    ASSERT_TRUE(copy.Open("Picked", modeTable));
    const auto rows = copy.GetRecordset();
    ASSERT_EQ(rows->RecordCount(), picked.GetRecordset()->RecordCount());
    rows->MoveNext();
    EXPECT_EQ(rows->GetCollect("A"), ado::Variant::Bstr("abcdefg"));
    EXPECT_EQ(rows->GetCollect("E"), ado::Variant::I4(333333333));
    EXPECT_TRUE(rows->GetCollect("Extra").IsNull());
}

TEST_F(TableCopy, AColumnTheTargetLacksRaises)
{
    ASSERT_TRUE(target.Execute("CREATE TABLE Narrow(A nVarchar(50))"));
    EXPECT_THROW(store::AppendRows(*source.GetRecordset(), "Narrow", target), ado::_com_error);
}

} // namespace
