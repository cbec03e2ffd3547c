#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <type_traits>

namespace {

using testsupport::TempDir;

// A show store with tb_Layout open in `db`.
class ShowStore : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.File("show.db");
        testsupport::MakeEmptySqliteFile(path);
        ASSERT_TRUE(db.Open(store::ConnectionStringFor(path), "", ""));
        ASSERT_TRUE(db.Execute(store::kCreateLayoutTableSql));
    }

    // Appends cues with the AddNew chain and a single Update at the end.
    void AddCues(const std::vector<std::pair<int, std::string>>& cues)
    {
        CADORecordset rs(&db);
        ASSERT_TRUE(rs.Open("tb_Layout", modeTable)) << rs.GetLastErrorText();
        for (const auto& [flow, host] : cues) {
            ASSERT_TRUE(rs.AddNew());
            ASSERT_TRUE(rs.WriteField("FlowID", flow));
            ASSERT_TRUE(rs.WriteField("HostName", host));
            ASSERT_TRUE(rs.WriteField("HostIndex", 1));
            ASSERT_TRUE(rs.WriteField("BlastTime", flow * 100));
            ASSERT_TRUE(rs.WriteField("Addr", std::string("05")));
            ASSERT_TRUE(rs.WriteField("Channel", std::string("")));
            ASSERT_TRUE(rs.WriteField("CDCode", 3));
            ASSERT_TRUE(rs.WriteField("Sector", 0));
        }
        ASSERT_TRUE(rs.Update()) << rs.GetLastErrorText();
        rs.Close();
    }

    std::vector<int> FlowIds()
    {
        CADORecordset rs(&db);
        EXPECT_TRUE(rs.Open("tb_Layout", modeTable));
        std::vector<int> ids;
        for (auto r = rs.GetRecordset(); !r->EndOfFile(); r->MoveNext()) {
            int id = -99;
            EXPECT_TRUE(rs.ReadField("FlowID", id));
            ids.push_back(id);
        }
        return ids;
    }

    TempDir dir;
    std::string path;
    CADODataBase db;
};

TEST_F(ShowStore, AddNewChainWithOneUpdateStoresEveryRowInInsertionOrder)
{
    AddCues({{7, "A"}, {2, "B"}, {9, "C"}, {0, "D"}});
    EXPECT_EQ(FlowIds(), (std::vector<int>{7, 2, 9, 0}));
    // The order survives closing and reopening the file.
    db.Close();
    ASSERT_TRUE(db.Open("", "", ""));
    EXPECT_EQ(FlowIds(), (std::vector<int>{7, 2, 9, 0}));
}

TEST_F(ShowStore, IntegerColumnsReadAsI4AndEmptyTextStoresNull)
{
    AddCues({{1, "HOST"}});
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("tb_Layout", modeTable));
    auto r = rs.GetRecordset();
    EXPECT_EQ(r->GetCollect("FlowID").vt(), ado::VT_I4);
    EXPECT_EQ(r->GetCollect("BlastTime").vt(), ado::VT_I4);
    EXPECT_EQ(r->GetCollect("HostName").vt(), ado::VT_BSTR);
    EXPECT_TRUE(r->GetCollect("Channel").IsNull());
    std::string channel = "unchanged";
    EXPECT_TRUE(rs.ReadField("Channel", channel, ""));
    EXPECT_EQ(channel, "");
    int asInteger = 42;
    EXPECT_TRUE(rs.ReadField("Channel", asInteger));
    EXPECT_EQ(asInteger, 0);
    std::string addr;
    EXPECT_TRUE(rs.ReadField("Addr", addr, ""));
    EXPECT_EQ(addr, "05");
}

TEST_F(ShowStore, WriteFieldBeforeAddNewTouchesNothing)
{
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("tb_Layout", modeTable));
    EXPECT_FALSE(rs.WriteField("FlowID", 1));
    EXPECT_FALSE(rs.WriteField("HostName", std::string("X")));
    EXPECT_EQ(rs.GetLastErrorText(), "");
    EXPECT_EQ(rs.GetLastErrorCode(), 0u);
    EXPECT_TRUE(rs.Update()); // nothing being added: no provider call
    EXPECT_EQ(rs.GetRecordset()->RecordCount(), 0);
}

TEST_F(ShowStore, AFailedUpdateCancelsTheRowAndReturnsToIdle)
{
    AddCues({{1, "A"}});
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("tb_Layout", modeTable));
    ASSERT_TRUE(rs.AddNew());
    ASSERT_TRUE(rs.WriteField("FlowID", 1)); // the key is taken
    ASSERT_TRUE(rs.WriteField("HostName", std::string("B")));
    ASSERT_TRUE(rs.WriteField("HostIndex", 1));
    ASSERT_TRUE(rs.WriteField("BlastTime", 0));
    ASSERT_TRUE(rs.WriteField("CDCode", 0));
    ASSERT_TRUE(rs.WriteField("Sector", 0));
    EXPECT_FALSE(rs.Update());
    EXPECT_EQ(rs.GetEditState(), editIdle);
    EXPECT_EQ(rs.GetLastErrorText().rfind("Query = tb_Layout\nCADORecordset Error\n\tCode = "
                                          "80040e2f\n",
                                          0),
              0u)
        << rs.GetLastErrorText();
    EXPECT_EQ(rs.GetRecordset()->RecordCount(), 1);
    EXPECT_EQ(FlowIds(), std::vector<int>{1});
}

TEST_F(ShowStore, CloseWhileAddingCancelsTheRow)
{
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("tb_Layout", modeTable));
    ASSERT_TRUE(rs.AddNew());
    ASSERT_TRUE(rs.WriteField("FlowID", 5));
    rs.Close();
    EXPECT_EQ(rs.GetEditState(), editIdle);
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_TRUE(FlowIds().empty());
}

TEST_F(ShowStore, TextsLongerThanTheDeclaredWidthAreRefusedCountingCharacters)
{
    const std::string chinese32 = [] {
        std::string s;
        for (int i = 0; i < 32; ++i)
            s += "烟";
        return s;
    }();
    AddCues({{0, chinese32}}); // 32 characters, 96 bytes: fits
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("tb_Layout", modeTable));
    ASSERT_TRUE(rs.AddNew());
    ASSERT_TRUE(rs.WriteField("FlowID", 1));
    ASSERT_TRUE(rs.WriteField("HostName", chinese32 + "x"));
    ASSERT_TRUE(rs.WriteField("HostIndex", 1));
    ASSERT_TRUE(rs.WriteField("BlastTime", 0));
    ASSERT_TRUE(rs.WriteField("CDCode", 0));
    ASSERT_TRUE(rs.WriteField("Sector", 0));
    EXPECT_FALSE(rs.Update());
    EXPECT_NE(rs.GetLastErrorText().find("HostName' is too small"), std::string::npos)
        << rs.GetLastErrorText();

    // The same rule holds for a rewrite through the handed-out recordset.
    auto r = rs.GetRecordset();
    r->MoveFirst();
    r->PutCollect("HostName", ado::Variant::Bstr(std::string(33, 'a')));
    EXPECT_THROW(r->Update(), ado::_com_error);
    r->CancelUpdate();
    std::string host;
    ASSERT_TRUE(rs.ReadField("HostName", host, ""));
    EXPECT_EQ(host, chinese32);
}

TEST_F(ShowStore, CollectWriteAndUpdateRewriteTheCurrentRecordOnly)
{
    AddCues({{0, "A"}, {1, "B"}, {2, "C"}});
    {
        CADORecordset rs(&db);
        ASSERT_TRUE(rs.Open("tb_Layout", modeTable));
        auto r = rs.GetRecordset();
        r->MoveFirst();
        r->MoveNext();
        r->PutCollect("HostName", ado::Variant::Bstr("NEW"));
        r->Update();
    }
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("SELECT HostName FROM tb_Layout ORDER BY FlowID", modeQuery));
    std::vector<std::string> names;
    for (auto r = rs.GetRecordset(); !r->EndOfFile(); r->MoveNext())
        names.push_back(r->GetCollect("HostName").bstrVal());
    EXPECT_EQ(names, (std::vector<std::string>{"A", "NEW", "C"}));
}

TEST_F(ShowStore, QueriesAreReadOnlyAndAnyAndQueryModesOpenAlike)
{
    AddCues({{3, "B"}, {1, "A"}});
    for (OpenMode mode : {modeAny, modeQuery}) {
        CADORecordset rs(&db);
        ASSERT_TRUE(rs.Open("  SELECT * FROM tb_Layout ORDER BY BlastTime", mode));
        EXPECT_EQ(rs.GetQuery(), "SELECT * FROM tb_Layout ORDER BY BlastTime");
        int first = -1;
        ASSERT_TRUE(rs.ReadField("FlowID", first));
        EXPECT_EQ(first, 1);
        EXPECT_THROW(rs.AddNew(), ado::_com_error);
    }
    CADORecordset distinct(&db);
    ASSERT_TRUE(distinct.Open("SELECT DISTINCT HostName FROM tb_Layout", modeQuery));
    EXPECT_EQ(distinct.GetRecordset()->RecordCount(), 2);
}

TEST_F(ShowStore, OpenErrorsAndModes)
{
    AddCues({{0, "A"}});
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("tb_Layout", modeTable));
    // An unknown mode closes what was open and records nothing.
    EXPECT_FALSE(rs.Open("tb_Layout", static_cast<OpenMode>(7)));
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_EQ(rs.GetLastErrorText(), "");

    EXPECT_FALSE(rs.Open("   no_such_table", modeTable));
    EXPECT_EQ(rs.GetLastErrorText().rfind("Query = no_such_table\nCADORecordset Error\n", 0), 0u)
        << rs.GetLastErrorText();
    // An empty source opens the previous query text again.
    ASSERT_TRUE(rs.Open("tb_Layout", modeTable));
    rs.Close();
    EXPECT_TRUE(rs.Open("", modeTable));
    EXPECT_FALSE(rs.Open("no_such_procedure", modeProcedure));
    EXPECT_NE(rs.GetLastErrorText().find("no stored procedure"), std::string::npos);
}

TEST_F(ShowStore, UnknownFieldFailsAndLeavesTheOutputAlone)
{
    AddCues({{0, "A"}});
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("tb_Layout", modeTable));
    int value = 17;
    std::string text = "kept";
    EXPECT_FALSE(rs.ReadField("Nope", value));
    EXPECT_FALSE(rs.ReadField("Nope", text, ""));
    EXPECT_EQ(value, 17);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(rs.GetLastErrorText().rfind("Query = tb_Layout\nCADORecordset Error\n\tCode = "
                                          "800a0cc1\n\tCode meaning = Unknown error 0x800A0CC1\n",
                                          0),
              0u)
        << rs.GetLastErrorText();
    // Field names are found whatever their case.
    EXPECT_TRUE(rs.ReadField("flowid", value));
    EXPECT_EQ(value, 0);
}

TEST_F(ShowStore, ClosingTheDatabaseClosesItsRecordsets)
{
    AddCues({{0, "A"}});
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("tb_Layout", modeTable));
    db.Close();
    EXPECT_FALSE(rs.IsOpen());
    rs.Close(); // nothing to do, and no failure
    int value = 5;
    EXPECT_FALSE(rs.ReadField("FlowID", value));
    EXPECT_EQ(value, 5);
}

// Values of every kind, stored in SQLite columns declared with the kind.
class FieldKinds : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::string path = dir.File("kinds.db");
        testsupport::MakeSqliteFile(
            path, "CREATE TABLE k(b boolean, y byte, s smallint, l int, f single, "
                  "d double, c currency, t datetime, x nVarchar(10), o blob)");
        testsupport::RunSql(path, "INSERT INTO k VALUES (1, 200, -7, -123456, 1.5, 0.1, "
                                  "'-12.3400', '2024-02-29 13:45:06', 'Ünï', x'00ff')");
        testsupport::RunSql(path, "INSERT INTO k VALUES (0, NULL, NULL, NULL, 2.25, 1e300, "
                                  "NULL, NULL, NULL, NULL)");
        ASSERT_TRUE(db.Open(store::ConnectionStringFor(path), "", ""));
        rs = CADORecordset(&db); // binds the long-lived object
        ASSERT_TRUE(rs.Open("k", modeTable));
    }

    std::string Text(const char* field)
    {
        std::string out = "<untouched>";
        EXPECT_TRUE(rs.ReadField(field, out, "")) << field;
        return out;
    }
    int Integer(const char* field)
    {
        int out = 12345;
        EXPECT_TRUE(rs.ReadField(field, out)) << field;
        return out;
    }

    TempDir dir;
    CADODataBase db;
    CADORecordset rs;
};

TEST_F(FieldKinds, DeclaredKindsReadAsTheirVariantTypes)
{
    auto r = rs.GetRecordset();
    EXPECT_EQ(r->GetCollect("b").vt(), ado::VT_BOOL);
    EXPECT_EQ(r->GetCollect("y").vt(), ado::VT_UI1);
    EXPECT_EQ(r->GetCollect("s").vt(), ado::VT_I2);
    EXPECT_EQ(r->GetCollect("l").vt(), ado::VT_I4);
    EXPECT_EQ(r->GetCollect("f").vt(), ado::VT_R4);
    EXPECT_EQ(r->GetCollect("d").vt(), ado::VT_R8);
    EXPECT_EQ(r->GetCollect("c").vt(), ado::VT_DECIMAL);
    EXPECT_EQ(r->GetCollect("t").vt(), ado::VT_DATE);
    EXPECT_EQ(r->GetCollect("x").vt(), ado::VT_BSTR);
    EXPECT_EQ(r->GetCollect("o").vt(), ado::VT_BLOB_BYTES);
}

TEST_F(FieldKinds, TextFormsFollowTheConversionTable)
{
    EXPECT_EQ(Text("b"), "T");
    EXPECT_EQ(Text("y"), "200");
    EXPECT_EQ(Text("s"), "-7");
    EXPECT_EQ(Text("l"), "-123456");
    EXPECT_EQ(Text("f"), "1.5");
    EXPECT_EQ(Text("d"), "0.10000000000000000555");
    EXPECT_EQ(Text("c"), "-12.339999999999999858"); // 20 significant digits of the double
    EXPECT_EQ(Text("t"), "2024-02-29 13:45:06");
    EXPECT_EQ(Text("x"), "Ünï");
    std::string dateOnly;
    ASSERT_TRUE(rs.ReadField("t", dateOnly, "%d/%m/%Y"));
    EXPECT_EQ(dateOnly, "29/02/2024");
    // A kind with no text form: false, output kept, nothing recorded.
    std::string blob = "kept";
    EXPECT_FALSE(rs.ReadField("o", blob, ""));
    EXPECT_EQ(blob, "kept");
    EXPECT_EQ(rs.GetLastErrorText(), "");

    rs.GetRecordset()->MoveNext();
    EXPECT_EQ(Text("b"), "F");
    EXPECT_EQ(Text("y"), "");
    EXPECT_EQ(Text("t"), "");
    EXPECT_EQ(Text("d"), "1.0000000000000000525e+300");
}

TEST_F(FieldKinds, IntegerFormsAndRefusedConversions)
{
    EXPECT_EQ(Integer("b"), -1);
    EXPECT_EQ(Integer("y"), 200);
    EXPECT_EQ(Integer("s"), -7);
    EXPECT_EQ(Integer("l"), -123456);
    // Numbers that are not whole, texts and dates are refused, not garbled.
    for (const char* field : {"f", "d", "c", "x", "t"}) {
        int out = 99;
        EXPECT_FALSE(rs.ReadField(field, out)) << field;
        EXPECT_EQ(out, 99);
        EXPECT_NE(rs.GetLastErrorText().find("Code = 80020005"), std::string::npos) << field;
    }
    rs.GetRecordset()->MoveNext();
    EXPECT_EQ(Integer("b"), 0);
    EXPECT_EQ(Integer("y"), 0);
    EXPECT_EQ(Integer("l"), 0);
}

} // namespace

namespace {
static_assert(!std::is_copy_constructible_v<CADORecordset> &&
                  !std::is_copy_assignable_v<CADORecordset>,
              "copies of a recordset object would share rows that each of them closes");

TEST_F(ShowStore, OnlyTheOwnerClosesTheRowsWhenItGoes)
{
    AddCues({{0, "A"}, {1, "B"}});
    CADORecordset owner;
    {
        CADORecordset opened(&db);
        ASSERT_TRUE(opened.Open("tb_Layout", modeTable));
        owner = std::move(opened);
    } // the object the rows came from dies here, holding nothing
    ASSERT_TRUE(owner.IsOpen());
    owner.GetRecordset()->MoveNext();
    std::string host;
    EXPECT_TRUE(owner.ReadField("HostName", host, ""));
    EXPECT_EQ(host, "B");

    const ado::RecordsetPtr rows = owner.GetRecordset();
    {
        const CADORecordset last(std::move(owner));
        EXPECT_TRUE(last.IsOpen());
    }
    EXPECT_EQ(rows->State(), ado::adStateClosed);
    // Binding a long-lived object again closes what it held before.
    owner = CADORecordset(&db);
    ASSERT_TRUE(owner.Open("tb_Layout", modeTable));
    const ado::RecordsetPtr before = owner.GetRecordset();
    owner = CADORecordset(&db);
    EXPECT_EQ(before->State(), ado::adStateClosed);
    EXPECT_TRUE(owner.Open("tb_Layout", modeTable));
}
} // namespace
