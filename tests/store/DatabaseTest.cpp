#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "store/Transaction.h"
#include "store/engine/SqliteDatabase.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

namespace {

using testsupport::TempDir;

std::string Cs(const std::string& path)
{
    return store::ConnectionStringFor(path);
}

TEST(ErrorMessage, GenericFormsForCodesWithoutText)
{
    EXPECT_EQ(ado::ErrorMessage(ado::MakeHresult(0x80040205)), "IDispatch error #5");
    EXPECT_EQ(ado::ErrorMessage(ado::MakeHresult(0x80040200)), "Unknown error 0x80040200");
    EXPECT_EQ(ado::ErrorMessage(ado::MakeHresult(0x8004FFFF)), "IDispatch error #65023");
    EXPECT_EQ(ado::ErrorMessage(ado::MakeHresult(0x800A0CC1)), "Unknown error 0x800A0CC1");
    EXPECT_EQ(ado::ErrorMessage(ado::E_FAIL), "Unspecified error");
}

TEST(ErrorMessage, AStoreFailureIsAStandardErrorThatTellsWhatWentWrong)
{
    const std::runtime_error& described =
        ado::_com_error(ado::E_FAIL, "SQLite", "The disk is full.");
    EXPECT_STREQ(described.what(), "The disk is full.");
    EXPECT_STREQ(ado::_com_error(ado::E_POINTER).what(), "Invalid pointer");
    // A missing file at open: the description the layer records, as what() tells it.
    CADODataBase db;
    ASSERT_FALSE(db.Open(Cs("/nonexistent/show.db"), "", ""));
    try {
        db.GetConnection()->Open(Cs("/nonexistent/show.db"));
        ADD_FAILURE() << "a missing file opened";
    } catch (const std::exception& error) {
        EXPECT_EQ(error.what(), db.GetLastErrorDescription());
    }
}

TEST(DatabaseOpen, MissingFileFailsWithRecordedTextAndCreatesNothing)
{
    TempDir dir;
    const std::string path = dir.File("absent.db");
    CADODataBase db;
    EXPECT_FALSE(db.Open(Cs(path), "", ""));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(path));
    const std::string text = db.GetLastErrorText();
    EXPECT_EQ(text.rfind("Connection String = " + Cs(path) +
                             "\nCADODataBase Error\n\tCode = "
                             "80004005\n\tCode meaning = Unspecified error\n\tSource = ",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("\n\tDescription = Could not find file '" + path + "'"), std::string::npos)
        << text;
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(db.GetLastErrorCode(), 0x80004005u);
    EXPECT_NE(db.GetLastErrorDescription().find(path), std::string::npos);
}

TEST(DatabaseOpen, ForeignAndDamagedFilesFailWithClearDescriptions)
{
    TempDir dir;
    const std::string text = dir.File("notes.txt");
    std::ofstream(text) << "this is not a database\n";
    const std::string empty = dir.File("empty.db");
    std::ofstream(empty).close();
    const std::string truncated = dir.File("truncated.db");
    testsupport::MakeSqliteFile(truncated, "CREATE TABLE t(a int)");
    std::filesystem::resize_file(truncated, 100);

    for (const std::string& path : {text, empty, truncated}) {
        CADODataBase db;
        EXPECT_FALSE(db.Open(Cs(path), "", "")) << path;
        EXPECT_NE(db.GetLastErrorDescription().find(path), std::string::npos)
            << db.GetLastErrorText();
        EXPECT_FALSE(db.IsOpen());
    }
}

TEST(DatabaseOpen, EmptyConnectionTextReopensTheStoredOneAndOpenClosesFirst)
{
    TempDir dir;
    const std::string a = dir.File("a.db");
    const std::string b = dir.File("b.db");
    testsupport::MakeEmptySqliteFile(a);
    testsupport::MakeEmptySqliteFile(b);
    testsupport::RunSql(a, "CREATE TABLE only_in_a(x int)");

    CADODataBase db;
    ASSERT_TRUE(db.Open(Cs(a), "", ""));
    ASSERT_TRUE(db.Open(Cs(b), "", "")); // closes a first
    ASSERT_TRUE(db.IsOpen());
    CADORecordset rs(&db);
    EXPECT_FALSE(rs.Open("only_in_a", modeTable));
    db.Close();
    EXPECT_FALSE(db.IsOpen());
    db.Close(); // closing a closed database does nothing

    ASSERT_TRUE(db.Open("", "", "")); // the stored text: b again
    CADORecordset again(&db);
    EXPECT_FALSE(again.Open("only_in_a", modeTable));
}

TEST(DatabaseExecute, TakesTheShowTableStatementUnchanged)
{
    const testsupport::EmptySqliteFile file("show.db");
    const std::string& path = file.path();
    CADODataBase db;
    ASSERT_TRUE(db.Open(Cs(path), "", ""));
    ASSERT_TRUE(db.Execute(store::kCreateLayoutTableSql)) << db.GetLastErrorText();
    EXPECT_TRUE(store::HasLayoutTable(db));
    // A second create fails and is recorded in the database form.
    EXPECT_FALSE(db.Execute(store::kCreateLayoutTableSql));
    EXPECT_EQ(db.GetLastErrorText().rfind("Connection String = " + Cs(path) +
                                              "\nCADODataBase Error\n\tCode = 80040e14\n",
                                          0),
              0u)
        << db.GetLastErrorText();
}

TEST(DatabaseExecute, ALockedFileFailsAfterAShortWaitInsteadOfHanging)
{
    const testsupport::EmptySqliteFile file("locked.db");
    const std::string& path = file.path();
    CADODataBase holder;
    ASSERT_TRUE(holder.Open(Cs(path), "", ""));
    ASSERT_TRUE(holder.Execute("CREATE TABLE t(a int)"));
    holder.GetConnection()->BeginTrans();
    ASSERT_TRUE(holder.Execute("INSERT INTO t VALUES (1)"));

    CADODataBase other;
    ASSERT_TRUE(other.Open(Cs(path), "", ""));
    EXPECT_FALSE(other.Execute("INSERT INTO t VALUES (2)"));
    EXPECT_NE(other.GetLastErrorDescription().find("locked"), std::string::npos)
        << other.GetLastErrorText();
    holder.GetConnection()->CommitTrans();
    EXPECT_TRUE(other.Execute("INSERT INTO t VALUES (2)")) << other.GetLastErrorText();
}

TEST(Transactions, RollbackLeavesTheFileAsItWasAndCloseUndoesAnOpenOne)
{
    const testsupport::EmptySqliteFile file("tx.db");
    const std::string& path = file.path();
    {
        CADODataBase db;
        ASSERT_TRUE(db.Open(Cs(path), "", ""));
        db.GetConnection()->BeginTrans();
        ASSERT_TRUE(db.Execute(store::kCreateLayoutTableSql));
        db.GetConnection()->RollbackTrans();
        EXPECT_FALSE(store::HasLayoutTable(db));

        db.GetConnection()->BeginTrans();
        ASSERT_TRUE(db.Execute(store::kCreateLayoutTableSql));
        db.Close(); // never committed
    }
    CADODataBase db;
    ASSERT_TRUE(db.Open(Cs(path), "", ""));
    EXPECT_FALSE(store::HasLayoutTable(db));
    {
        store::Transaction tx(*db.GetConnection());
        ASSERT_TRUE(db.Execute(store::kCreateLayoutTableSql));
        tx.Commit();
    }
    EXPECT_TRUE(store::HasLayoutTable(db));
}

TEST(HasLayoutTable, MatchesOnlyATableOrViewNamedExactly)
{
    const testsupport::EmptySqliteFile file("names.db");
    const std::string& path = file.path();
    CADODataBase db;
    ASSERT_TRUE(db.Open(Cs(path), "", ""));
    EXPECT_FALSE(store::HasLayoutTable(db));
    ASSERT_TRUE(db.Execute("CREATE TABLE TB_LAYOUT(a int)"));
    EXPECT_FALSE(store::HasLayoutTable(db));
    ASSERT_TRUE(db.Execute("CREATE TABLE tb_Layout_old(a int)"));
    EXPECT_FALSE(store::HasLayoutTable(db));
    ASSERT_TRUE(db.Execute("CREATE VIEW \"tb_Layout \" AS SELECT 1"));
    EXPECT_FALSE(store::HasLayoutTable(db));
    ASSERT_TRUE(db.Execute("DROP TABLE TB_LAYOUT"));
    ASSERT_TRUE(db.Execute("CREATE VIEW tb_Layout AS SELECT 1 AS a"));
    EXPECT_TRUE(store::HasLayoutTable(db));
}

TEST(OpenSchema, ListsTablesViewsAndInternalTablesWithTheirKinds)
{
    const testsupport::EmptySqliteFile file("schema.db");
    const std::string& path = file.path();
    testsupport::RunSql(path, "CREATE TABLE cues(id INTEGER PRIMARY KEY AUTOINCREMENT, a int)");
    testsupport::RunSql(path, "CREATE VIEW late AS SELECT * FROM cues");
    CADODataBase db;
    ASSERT_TRUE(db.Open(Cs(path), "", ""));
    auto tables = db.GetConnection()->OpenSchema(ado::adSchemaTables);
    std::map<std::string, std::string> kinds;
    for (; !tables->EndOfFile(); tables->MoveNext())
        kinds[tables->GetCollect("TABLE_NAME").bstrVal()] =
            tables->GetCollect("table_type").bstrVal();
    tables->Close();
    EXPECT_EQ(kinds["cues"], "TABLE");
    EXPECT_EQ(kinds["late"], "VIEW");
    EXPECT_EQ(kinds["sqlite_sequence"], "SYSTEM TABLE");
    EXPECT_EQ(kinds["sqlite_schema"], "SYSTEM TABLE");
}

} // namespace

TEST(StreamTable, AReadOutsideATransactionLeavesThePageCacheAsItWas)
{
    TempDir dir;
    auto db = store::SqliteDatabase::CreateNew(dir.File("cache.db"));
    db->Execute("CREATE TABLE t(x int)");
    db->Execute("INSERT INTO t VALUES (1),(2)");
    db->Execute("PRAGMA cache_size=-3000");
    const auto cacheSize = [&db] { return db->Query("PRAGMA cache_size").rows.at(0).at(0).lVal(); };
    int rows = 0;
    store::RowSink sink;
    sink.row = [&](const std::vector<ado::Variant>&) {
        ++rows;
        EXPECT_NE(cacheSize(), -3000) << "a one-pass read keeps few pages";
    };
    db->StreamTable("t", sink);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(cacheSize(), -3000);
    db->BeginTransaction();
    sink.row = [&](const std::vector<ado::Variant>&) { EXPECT_EQ(cacheSize(), -3000); };
    db->StreamTable("t", sink);
    db->CommitTransaction();
}
