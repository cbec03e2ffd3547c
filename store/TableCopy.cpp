#include "TableCopy.h"

#include "ADODataBase.h"
#include "QuoteIdentifier.h"

namespace store {

namespace {
ado::Connection& OpenConnection(CADODataBase& target)
{
    const ado::ConnectionPtr connection = target.GetConnection();
    if (!connection)
        throw ado::_com_error(ado::E_POINTER);
    return *connection;
}
} // namespace

void CopyTable(ado::Recordset& source, const std::string& name, CADODataBase& target)
{
    std::string definitions;
    for (const ColumnInfo& column : source.Fields()) {
        definitions += (definitions.empty() ? "" : ", ") + QuoteIdentifier(column.name);
        if (!column.declaredType.empty())
            definitions += " " + column.declaredType;
        if (column.notNull)
            definitions += " NOT NULL";
    }
    OpenConnection(target).Execute("CREATE TABLE " + QuoteIdentifier(name) + " (" + definitions +
                                   ")");
    AppendRows(source, name, target);
}

void AppendRows(ado::Recordset& source, const std::string& name, CADODataBase& target)
{
    const ado::ConnectionPtr connection = target.GetConnection();
    OpenConnection(target);
    const ado::RecordsetPtr rows = ado::Recordset::Create();
    rows->Open(name, connection, ado::adLockOptimistic, ado::adCmdTable);
    const std::vector<ColumnInfo> columns = source.Fields();
    for (source.MoveFirst(); !source.EndOfFile(); source.MoveNext()) {
        rows->AddNew();
        for (std::size_t i = 0; i < columns.size(); ++i)
            rows->PutCollect(columns[i].name, source.GetFieldValue(i));
        rows->Update();
    }
    rows->Close();
}

} // namespace store
