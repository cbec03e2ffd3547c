// The Access engine's pieces: column declarations that copy into SQLite
// keeping their kinds, and the copy that queries run on.
#include "store/engine/AccessColumnTypes.h"
#include "store/engine/AccessQueryCopy.h"
#include "store/engine/SqliteDatabase.h"

#include <gtest/gtest.h>

namespace {

using mdbproto::AccessType;

TEST(AccessColumns, EveryTypeDeclaresWhatReadsBackAsItsKind)
{
    const std::pair<AccessType, ado::VarType> kinds[] = {
        {AccessType::Boolean, ado::VT_BOOL},
        {AccessType::Byte, ado::VT_UI1},
        {AccessType::Integer, ado::VT_I2},
        {AccessType::Long, ado::VT_I4},
        {AccessType::Currency, ado::VT_DECIMAL},
        {AccessType::Single, ado::VT_R4},
        {AccessType::Double, ado::VT_R8},
        {AccessType::DateTime, ado::VT_DATE},
        {AccessType::Binary, ado::VT_BLOB_BYTES},
        {AccessType::Text, ado::VT_BSTR},
        {AccessType::OleObject, ado::VT_BLOB_BYTES},
        {AccessType::Memo, ado::VT_BSTR},
        {AccessType::ReplicationId, ado::VT_BSTR},
        {AccessType::Numeric, ado::VT_DECIMAL},
        {AccessType::Complex, ado::VT_I4}};
    for (const auto& [type, kind] : kinds) {
        const store::ColumnInfo column = store::AccessColumn("c", type, 40, 18, 4);
        SCOPED_TRACE(column.declaredType);
        EXPECT_EQ(column.type, kind);
        EXPECT_EQ(store::VarTypeForDeclaredType(column.declaredType), kind);
        EXPECT_EQ(store::DeclaredTextWidth(column.declaredType), column.maxChars);
        EXPECT_TRUE(store::AccessTypeOf(static_cast<std::uint8_t>(type)));
    }
    EXPECT_EQ(store::AccessColumn("c", AccessType::Text, 40, 0, 0).declaredType, "nVarchar(40)");
    EXPECT_EQ(store::AccessColumn("c", AccessType::Numeric, 0, 18, 4).declaredType,
              "numeric(18,4)");
    EXPECT_FALSE(store::AccessTypeOf(0x0d));
    EXPECT_FALSE(store::AccessTypeOf(0));
}

TEST(AccessQueryTables, NamesMatchWithoutRegardToCaseOrQuoting)
{
    const std::vector<store::TableEntry> tables{
        {"tb_Layout", "TABLE"}, {"Fire Data", "TABLE"}, {"Other", "TABLE"}};
    EXPECT_EQ(store::TablesNamedIn("SELECT * FROM TB_LAYOUT ORDER BY BlastTime", tables),
              (std::vector<std::string>{"tb_Layout"}));
    EXPECT_EQ(store::TablesNamedIn("SELECT a FROM [fire data] JOIN \"other\" ON 1", tables),
              (std::vector<std::string>{"Fire Data", "Other"}));
    EXPECT_EQ(store::TablesNamedIn("SELECT 'tb_Layout' FROM t", tables),
              std::vector<std::string>{});
    EXPECT_EQ(store::TablesNamedIn("SELECT 'it''s Other' FROM tb_layout, tb_Layout", tables),
              (std::vector<std::string>{"tb_Layout"}));
}

store::RowSet TwoColumns()
{
    store::RowSet rows;
    rows.columns.push_back(store::AccessColumn("Name", AccessType::Text, 2, 0, 0));
    rows.columns.push_back(store::AccessColumn("Price", AccessType::Currency, 0, 0, 0));
    ado::Decimal price;
    ado::Decimal::FromText("12.3400", price);
    rows.rows.push_back({ado::Variant::Bstr("longer than two"), ado::Variant::Dec(price)});
    rows.rows.push_back({ado::Variant::Null(), ado::Variant::Null()});
    return rows;
}

TEST(AccessQueryCopy, CopiedRowsReadBackWithTheirKinds)
{
    auto copy = store::SqliteDatabase::OpenInMemory();
    store::CopyTableInto(*copy, "My \"Table\"", TwoColumns());
    const store::RowSet read = copy->Query("SELECT * FROM [My \"Table\"]");
    ASSERT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(read.columns[0].type, ado::VT_BSTR);
    EXPECT_EQ(read.columns[1].type, ado::VT_DECIMAL);
    // Widths are Access's business: a text longer than its width is copied.
    EXPECT_EQ(read.rows[0][0], ado::Variant::Bstr("longer than two"));
    EXPECT_EQ(read.rows[0][1].decVal().ToDouble(), 12.34);
    EXPECT_TRUE(read.rows[1][0].IsNull());
    EXPECT_TRUE(read.rows[1][1].IsNull());
}

// An engine whose second insert fails, noting what the copy asks of it.
class FailingEngine final : public store::DatabaseEngine
{
public:
    std::vector<std::string> calls;

    std::string SourceName() const override { return "fake"; }
    long Execute(const std::string& sql) override
    {
        calls.push_back(sql.substr(0, 12));
        return 0;
    }
    store::RowSet Query(const std::string&) override { return {}; }
    store::RowSet OpenTable(const std::string&) override { return {}; }
    std::vector<store::TableEntry> ListTables() override { return {}; }
    std::int64_t InsertRow(const std::string&, const std::vector<store::ColumnInfo>&,
                           const std::vector<ado::Variant>&, const std::vector<bool>&) override
    {
        calls.push_back("insert");
        if (++inserts == 2)
            throw ado::_com_error(ado::E_FAIL, "fake", "full");
        return inserts;
    }
    void UpdateRow(const std::string&, std::int64_t, const std::vector<store::ColumnInfo>&,
                   const std::vector<ado::Variant>&, const std::vector<bool>&) override
    {
    }
    void BeginTransaction() override { calls.push_back("begin"); }
    void CommitTransaction() override { calls.push_back("commit"); }
    void RollbackTransaction() override { calls.push_back("rollback"); }

private:
    int inserts = 0;
};

TEST(AccessQueryCopy, AFailedCopyIsUndoneWhole)
{
    FailingEngine engine;
    EXPECT_THROW(store::CopyTableInto(engine, "t", TwoColumns()), ado::_com_error);
    EXPECT_EQ(engine.calls,
              (std::vector<std::string>{"begin", "CREATE TABLE", "insert", "insert", "rollback"}));
}

} // namespace
