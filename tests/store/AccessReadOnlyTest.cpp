// An Access file is read-only here: every write is refused with a provider
// error that says so, and the file is left as it was. Queries run on a copy.
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "tests/store/AccessFixtures.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using accessfixtures::Path;

constexpr char kReadOnly[] = "is read-only here";

class AccessWrites : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.File("show.mdb");
        original = accessfixtures::Bytes(Path("indexTestV2000.mdb"));
        accessfixtures::Write(path, original);
        ASSERT_TRUE(db.Open(store::ConnectionStringFor(path), "", "")) << db.GetLastErrorText();
    }
    void TearDown() override
    {
        db.Close();
        EXPECT_EQ(accessfixtures::Bytes(path), original) << "the Access file was changed";
    }

    testsupport::TempDir dir;
    std::string path;
    std::string original;
    CADODataBase db;
};

TEST_F(AccessWrites, ExecuteIsRefusedAndRecorded)
{
    EXPECT_FALSE(db.Execute(store::kCreateLayoutTableSql));
    EXPECT_EQ(db.GetLastErrorCode(), 0x80004005u);
    EXPECT_NE(db.GetLastErrorDescription().find(kReadOnly), std::string::npos)
        << db.GetLastErrorText();
    EXPECT_NE(db.GetLastErrorDescription().find(path), std::string::npos);
    EXPECT_FALSE(db.Execute("DELETE FROM Table1"));
}

TEST_F(AccessWrites, AddNewRaisesTheReadOnlyError)
{
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("Table2", modeTable));
    try {
        rs.AddNew();
        FAIL() << "AddNew on an Access table succeeded";
    } catch (const ado::_com_error& error) {
        EXPECT_EQ(error.Error(), ado::E_FAIL);
        EXPECT_NE(error.Description().find(kReadOnly), std::string::npos) << error.Description();
        EXPECT_EQ(error.Source(), "Access database reader");
    }
    EXPECT_EQ(rs.GetEditState(), editIdle);
    EXPECT_FALSE(rs.WriteField("data", std::string("new")));
}

TEST_F(AccessWrites, CollectWriteRaisesTheReadOnlyErrorAndKeepsTheValue)
{
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("Table2", modeTable));
    auto r = rs.GetRecordset();
    try {
        r->PutCollect("data", ado::Variant::Bstr("changed"));
        FAIL() << "writing a field of an Access table succeeded";
    } catch (const ado::_com_error& error) {
        EXPECT_NE(error.Description().find(kReadOnly), std::string::npos) << error.Description();
    }
    EXPECT_NO_THROW(r->Update()); // nothing pending
    EXPECT_EQ(r->GetCollect("data"), ado::Variant::Bstr("foo0"));
}

TEST_F(AccessWrites, QueriesThatWouldChangeTheFileAreRefused)
{
    CADORecordset rs(&db);
    EXPECT_FALSE(rs.Open("DELETE FROM Table2", modeQuery));
    EXPECT_NE(rs.GetLastErrorText().find(kReadOnly), std::string::npos) << rs.GetLastErrorText();
    EXPECT_FALSE(rs.Open("UPDATE Table2 SET data = 'x'", modeAny));
    // The copy the queries run on is unchanged too.
    ASSERT_TRUE(rs.Open("SELECT count(*) AS n FROM Table2", modeQuery)) << rs.GetLastErrorText();
    int count = 0;
    EXPECT_TRUE(rs.ReadField("n", count));
    EXPECT_EQ(count, 3);
}

TEST_F(AccessWrites, QueryRowsAreReadOnlyToo)
{
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("SELECT * FROM Table2", modeQuery)) << rs.GetLastErrorText();
    try {
        rs.GetRecordset()->PutCollect("data", ado::Variant::Bstr("changed"));
        FAIL() << "writing a query row succeeded";
    } catch (const ado::_com_error& error) {
        EXPECT_NE(error.Description().find(kReadOnly), std::string::npos) << error.Description();
    }
}

TEST_F(AccessWrites, TransactionsDoNothingAndDoNotFail)
{
    auto connection = db.GetConnection();
    EXPECT_EQ(connection->BeginTrans(), 1);
    EXPECT_NO_THROW(connection->CommitTrans());
    connection->BeginTrans();
    EXPECT_NO_THROW(connection->RollbackTrans());
}

class AccessQuery : public ::testing::Test
{
protected:
    void OpenFixture(const std::string& name)
    {
        ASSERT_TRUE(db.Open(store::ConnectionStringFor(Path(name)), "", ""))
            << db.GetLastErrorText();
    }
    std::vector<ado::Variant> Column(CADORecordset& rs, const std::string& field)
    {
        std::vector<ado::Variant> values;
        for (auto r = rs.GetRecordset(); !r->EndOfFile(); r->MoveNext())
            values.push_back(r->GetCollect(field));
        return values;
    }

    CADODataBase db;
};

TEST_F(AccessQuery, OrderByGivesTheRowsInThatOrder)
{
    OpenFixture("indexTestV2000.mdb");
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("SELECT * FROM Table1 ORDER BY otherfk2 DESC, id", modeQuery))
        << rs.GetLastErrorText();
    EXPECT_EQ(Column(rs, "id"),
              (std::vector<ado::Variant>{ado::Variant::I4(3), ado::Variant::I4(1),
                                         ado::Variant::I4(2), ado::Variant::I4(0)}));
}

TEST_F(AccessQuery, DistinctGivesEachValueOnce)
{
    OpenFixture("indexTestV2000.mdb");
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("SELECT DISTINCT otherfk1 FROM table1 ORDER BY 1", modeQuery))
        << rs.GetLastErrorText();
    EXPECT_EQ(
        Column(rs, "otherfk1"),
        (std::vector<ado::Variant>{ado::Variant::I4(0), ado::Variant::I4(1), ado::Variant::I4(2)}));
}

TEST_F(AccessQuery, QueryColumnsKeepTheirKindsAndValues)
{
    OpenFixture("testV1997.mdb");
    CADORecordset table(&db);
    ASSERT_TRUE(table.Open("Table1", modeTable));
    CADORecordset query(&db);
    ASSERT_TRUE(query.Open("SELECT * FROM [Table1] ORDER BY G DESC", modeQuery))
        << query.GetLastErrorText();
    auto t = table.GetRecordset();
    auto q = query.GetRecordset();
    ASSERT_EQ(q->RecordCount(), 2);
    ASSERT_EQ(q->Fields().size(), t->Fields().size());
    for (std::size_t c = 0; c < t->Fields().size(); ++c)
        EXPECT_EQ(q->Fields()[c].type, t->Fields()[c].type) << t->Fields()[c].name;
    // Dates descending: the 1981 row, which the table holds first, comes first.
    for (; !t->EndOfFile(); t->MoveNext(), q->MoveNext()) {
        for (std::size_t c = 0; c < t->Fields().size(); ++c) {
            const ado::Variant a = t->GetFieldValue(c);
            const ado::Variant b = q->GetFieldValue(c);
            if (a.vt() == ado::VT_DECIMAL)
                EXPECT_EQ(a.decVal().ToDouble(), b.decVal().ToDouble());
            else
                EXPECT_EQ(a, b) << t->Fields()[c].name << ": " << a.Describe() << " / "
                                << b.Describe();
        }
    }
}

TEST_F(AccessQuery, NullsSurviveTheCopy)
{
    OpenFixture("nullTextJet4.mdb");
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("SELECT CD_AGENTE, RS_AGENTE FROM Table1 WHERE DC_AGENTE IN ('ddd', 'efg') "
                        "ORDER BY DC_AGENTE",
                        modeQuery))
        << rs.GetLastErrorText();
    EXPECT_EQ(Column(rs, "RS_AGENTE"),
              (std::vector<ado::Variant>{ado::Variant::Null(), ado::Variant::Bstr("")}));
    ASSERT_TRUE(rs.Open("SELECT count(*) AS n FROM Table1 WHERE CD_AGENTE IS NULL", modeQuery));
    int count = 0;
    EXPECT_TRUE(rs.ReadField("n", count));
    EXPECT_EQ(count, 2);
}

TEST_F(AccessQuery, AQueryOnAMissingTableFailsWithARecordedError)
{
    OpenFixture("indexTestV2000.mdb");
    CADORecordset rs(&db);
    EXPECT_FALSE(rs.Open("SELECT * FROM tb_Layout ORDER BY BlastTime", modeQuery));
    EXPECT_EQ(rs.GetLastErrorText().rfind("Query = SELECT * FROM tb_Layout", 0), 0u);
    EXPECT_NE(rs.GetLastErrorText().find("Source = Access database reader"), std::string::npos)
        << rs.GetLastErrorText();
}

} // namespace
