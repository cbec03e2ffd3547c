// Reading the Access fixtures through the access layer, as the program does:
// kinds of value, values, NULLs, Jet 3 and Jet 4.
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "store/engine/DatabaseEngine.h"
#include "tests/store/AccessFixtures.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using accessfixtures::Path;

// One fixture opened through CADODataBase.
class AccessFile : public ::testing::Test
{
protected:
    void OpenFixture(const std::string& name)
    {
        ASSERT_TRUE(db.Open(store::ConnectionStringFor(Path(name)), "", ""))
            << db.GetLastErrorText();
    }

    // The table opened by name, its recordset positioned on the first row.
    ado::RecordsetPtr OpenTable(CADORecordset& rs, const std::string& table)
    {
        EXPECT_TRUE(rs.Open(table, modeTable)) << rs.GetLastErrorText();
        return rs.GetRecordset();
    }

    std::map<std::string, ado::VarType> KindsOf(const std::string& table)
    {
        CADORecordset rs(&db);
        std::map<std::string, ado::VarType> kinds;
        for (const store::ColumnInfo& column : OpenTable(rs, table)->Fields())
            kinds[column.name] = column.type;
        return kinds;
    }

    std::map<std::string, std::string> SchemaTypes()
    {
        std::map<std::string, std::string> types;
        auto list = db.GetConnection()->OpenSchema(ado::adSchemaTables);
        for (; !list->EndOfFile(); list->MoveNext())
            types[list->GetCollect("TABLE_NAME").bstrVal()] =
                list->GetCollect("TABLE_TYPE").bstrVal();
        list->Close();
        return types;
    }

    CADODataBase db;
};

TEST_F(AccessFile, Jet3ColumnsReadWithTheirAccessKinds)
{
    OpenFixture("testV1997.mdb");
    const std::map<std::string, ado::VarType> expected{
        {"A", ado::VT_BSTR}, {"B", ado::VT_BSTR},    {"C", ado::VT_UI1},
        {"D", ado::VT_I2},   {"E", ado::VT_I4},      {"F", ado::VT_R8},
        {"G", ado::VT_DATE}, {"H", ado::VT_DECIMAL}, {"I", ado::VT_BOOL}};
    EXPECT_EQ(KindsOf("Table1"), expected);
}

TEST_F(AccessFile, Jet3ValuesReadExactly)
{
    OpenFixture("testV1997.mdb");
    CADORecordset rs(&db);
    auto r = OpenTable(rs, "Table1");
    ASSERT_EQ(r->RecordCount(), 2);

    EXPECT_EQ(r->GetCollect("A"), ado::Variant::Bstr("a"));
    EXPECT_EQ(r->GetCollect("C"), ado::Variant::UI1(0));
    EXPECT_EQ(r->GetCollect("G"), ado::Variant::Date(29932.0)); // 1981-12-12
    EXPECT_EQ(r->GetCollect("I"), ado::Variant::Bool(false));
    r->MoveNext();
    EXPECT_EQ(r->GetCollect("A"), ado::Variant::Bstr("abcdefg"));
    EXPECT_EQ(r->GetCollect("B"), ado::Variant::Bstr("hijklmnop"));
    EXPECT_EQ(r->GetCollect("C"), ado::Variant::UI1(2));
    EXPECT_EQ(r->GetCollect("D"), ado::Variant::I2(222));
    EXPECT_EQ(r->GetCollect("E"), ado::Variant::I4(333333333));
    EXPECT_EQ(r->GetCollect("F"), ado::Variant::R8(444.555));
    EXPECT_EQ(r->GetCollect("G"), ado::Variant::Date(27293.0)); // 1974-09-21
    EXPECT_EQ(r->GetCollect("H").decVal().ToText(), "3.5000");
    EXPECT_EQ(r->GetCollect("I"), ado::Variant::Bool(true));
}

TEST_F(AccessFile, Jet3FieldsConvertAsTheLayerReadsThem)
{
    OpenFixture("testV1997.mdb");
    CADORecordset rs(&db);
    auto r = OpenTable(rs, "Table1");
    r->MoveNext();
    std::string text;
    int number = 0;
    EXPECT_TRUE(rs.ReadField("G", text, ""));
    EXPECT_EQ(text, "1974-09-21 00:00:00");
    EXPECT_TRUE(rs.ReadField("H", text, ""));
    EXPECT_EQ(text, "3.5");
    EXPECT_TRUE(rs.ReadField("I", text, ""));
    EXPECT_EQ(text, "T");
    EXPECT_TRUE(rs.ReadField("I", number));
    EXPECT_EQ(number, -1);
    EXPECT_TRUE(rs.ReadField("D", number));
    EXPECT_EQ(number, 222);
    EXPECT_TRUE(rs.ReadField("C", text, ""));
    EXPECT_EQ(text, "2");
}

TEST_F(AccessFile, TextColumnsDeclareTheirWidthInCharacters)
{
    OpenFixture("testV1997.mdb");
    CADORecordset jet3(&db);
    const auto& columns = OpenTable(jet3, "Table1")->Fields();
    EXPECT_EQ(columns[0].maxChars, 50);
    EXPECT_EQ(columns[0].declaredType, "nVarchar(50)");
    EXPECT_EQ(columns[1].maxChars, 100);

    CADODataBase jet4db;
    ASSERT_TRUE(jet4db.Open(store::ConnectionStringFor(Path("indexTestV2000.mdb")), "", ""));
    CADORecordset jet4(&jet4db);
    ASSERT_TRUE(jet4.Open("Table2", modeTable));
    const auto& jet4Columns = jet4.GetRecordset()->Fields();
    ASSERT_EQ(jet4Columns.size(), 2u);
    EXPECT_EQ(jet4Columns[1].maxChars, 50); // stored as 100 bytes of UTF-16
}

TEST_F(AccessFile, DeclaredTypesReadBackAsTheSameKinds)
{
    OpenFixture("testV1997.mdb");
    CADORecordset rs(&db);
    for (const store::ColumnInfo& column : OpenTable(rs, "Table1")->Fields()) {
        EXPECT_EQ(store::VarTypeForDeclaredType(column.declaredType), column.type) << column.name;
        EXPECT_EQ(store::DeclaredTextWidth(column.declaredType), column.maxChars) << column.name;
    }
}

TEST_F(AccessFile, EmptyTablesHaveColumnsAndNoRows)
{
    OpenFixture("testV1997.mdb");
    CADORecordset wide(&db);
    auto r = OpenTable(wide, "Table2");
    EXPECT_EQ(r->Fields().size(), 89u);
    EXPECT_TRUE(r->EndOfFile());
    const std::map<std::string, ado::VarType> expected{{"name", ado::VT_BSTR},
                                                       {"data", ado::VT_BSTR}};
    EXPECT_EQ(KindsOf("Table4"), expected);
}

TEST_F(AccessFile, Jet4TableWithADeletedColumnReadsEveryRemainingColumn)
{
    OpenFixture("indexTestV2000.mdb");
    CADORecordset rs(&db);
    auto r = OpenTable(rs, "Table1");
    std::vector<std::string> names;
    for (const store::ColumnInfo& column : r->Fields())
        names.push_back(column.name);
    EXPECT_EQ(names, (std::vector<std::string>{"id", "otherfk1", "otherfk2", "data", "otherfk3"}));

    struct Row
    {
        int id, fk1, fk2;
        std::string data;
        int fk3;
    };
    const std::vector<Row> expected{{0, 0, 10, "baz0", 0},
                                    {1, 1, 11, "baz11", 0},
                                    {2, 1, 11, "baz11-2", 0},
                                    {3, 2, 13, "baz13", 0}};
    std::size_t i = 0;
    for (; !r->EndOfFile(); r->MoveNext(), ++i) {
        ASSERT_LT(i, expected.size());
        EXPECT_EQ(r->GetCollect("id"), ado::Variant::I4(expected[i].id));
        EXPECT_EQ(r->GetCollect("otherfk1"), ado::Variant::I4(expected[i].fk1));
        EXPECT_EQ(r->GetCollect("otherfk2"), ado::Variant::I4(expected[i].fk2));
        EXPECT_EQ(r->GetCollect("data"), ado::Variant::Bstr(expected[i].data));
        EXPECT_EQ(r->GetCollect("otherfk3"), ado::Variant::I4(expected[i].fk3));
    }
    EXPECT_EQ(i, expected.size());
}

TEST_F(AccessFile, Jet4NullIntegersStayNullAndReadAsZero)
{
    OpenFixture("compIndexTestV2000.mdb");
    CADORecordset rs(&db);
    auto r = OpenTable(rs, "Table1");
    ASSERT_EQ(r->RecordCount(), 512);
    EXPECT_EQ(r->GetCollect("CD_AGENTE"), ado::Variant::I4(19));
    int nulls = 0;
    for (; !r->EndOfFile(); r->MoveNext()) {
        if (!r->GetCollect("CD_AGENTE").IsNull())
            continue;
        ++nulls;
        int number = 77;
        EXPECT_TRUE(rs.ReadField("CD_AGENTE", number));
        EXPECT_EQ(number, 0);
        std::string text = "before";
        EXPECT_TRUE(rs.ReadField("CD_AGENTE", text, ""));
        EXPECT_EQ(text, "");
        EXPECT_EQ(r->GetCollect("RS_AGENTE"), ado::Variant::Bstr("abc"));
    }
    EXPECT_EQ(nulls, 2);
}

TEST_F(AccessFile, NullTextIsNullAndEmptyTextIsEmpty)
{
    OpenFixture("nullTextJet4.mdb");
    CADORecordset rs(&db);
    std::map<std::string, ado::Variant> byOther;
    for (auto r = OpenTable(rs, "Table1"); !r->EndOfFile(); r->MoveNext())
        byOther[r->GetCollect("DC_AGENTE").bstrVal()] = r->GetCollect("RS_AGENTE");
    EXPECT_EQ(byOther["ddd"], ado::Variant::Null());
    EXPECT_EQ(byOther["efg"], ado::Variant::Bstr(""));
    EXPECT_EQ(byOther["def"], ado::Variant::Bstr("abc"));

    CADORecordset again(&db);
    auto r = OpenTable(again, "Table1");
    while (!r->EndOfFile() && r->GetCollect("DC_AGENTE").bstrVal() != "ddd")
        r->MoveNext();
    ASSERT_FALSE(r->EndOfFile());
    std::string text = "before";
    EXPECT_TRUE(again.ReadField("RS_AGENTE", text, ""));
    EXPECT_EQ(text, "");
}

TEST_F(AccessFile, TablesOpenByNameWhateverTheCase)
{
    OpenFixture("indexTestV2000.mdb");
    CADORecordset rs(&db);
    auto r = OpenTable(rs, "TABLE3");
    EXPECT_EQ(r->GetCollect("data"), ado::Variant::Bstr("bar10"));
}

TEST_F(AccessFile, AMissingTableFailsWithARecordedError)
{
    OpenFixture("indexTestV2000.mdb");
    CADORecordset rs(&db);
    EXPECT_FALSE(rs.Open("FireData", modeTable));
    EXPECT_NE(rs.GetLastErrorText().find("'FireData' does not exist"), std::string::npos)
        << rs.GetLastErrorText();
}

TEST_F(AccessFile, SchemaListsUserAndSystemTables)
{
    OpenFixture("testV1997.mdb");
    const auto types = SchemaTypes();
    EXPECT_EQ(types.at("Table1"), "TABLE");
    EXPECT_EQ(types.at("Table4"), "TABLE");
    EXPECT_EQ(types.at("MSysObjects"), "SYSTEM TABLE");
    EXPECT_EQ(types.size(), 10u);
}

TEST_F(AccessFile, EmptyDatabaseHasOnlySystemTables)
{
    OpenFixture("emptyJet4.mdb");
    const auto types = SchemaTypes();
    EXPECT_FALSE(types.empty());
    for (const auto& [name, type] : types)
        EXPECT_EQ(type, "SYSTEM TABLE") << name;
}

TEST_F(AccessFile, NoFixtureHoldsTheShowTable)
{
    for (const char* name :
         {"testV1997.mdb", "indexTestV2000.mdb", "compIndexTestV2000.mdb", "emptyJet4.mdb"}) {
        CADODataBase file;
        ASSERT_TRUE(file.Open(store::ConnectionStringFor(Path(name)), "", "")) << name;
        EXPECT_FALSE(store::HasLayoutTable(file)) << name;
    }
}

TEST_F(AccessFile, TwoOpensOfATableGiveTheSameOrder)
{
    OpenFixture("compIndexTestV2000.mdb");
    auto ids = [&] {
        CADORecordset rs(&db);
        std::vector<ado::Variant> seen;
        for (auto r = OpenTable(rs, "Table1"); !r->EndOfFile(); r->MoveNext())
            seen.push_back(r->GetCollect("CD_AGENTE"));
        return seen;
    };
    const auto first = ids();
    db.Close();
    OpenFixture("compIndexTestV2000.mdb");
    EXPECT_EQ(ids(), first);
}

} // namespace
