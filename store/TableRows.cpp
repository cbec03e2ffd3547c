#include "store/TableRows.h"

#include "store/ADODataBase.h"

#include <stdexcept>

namespace store {

namespace {

// The kind the schema gives the table or view of exactly this name ("TABLE"
// or "VIEW"); empty when there is none.
std::string KindOf(CADODataBase& database, const std::string& name)
{
    const ado::ConnectionPtr connection = database.GetConnection();
    if (!connection)
        throw ado::_com_error(ado::E_POINTER);
    const ado::RecordsetPtr tables = connection->OpenSchema(ado::adSchemaTables);
    std::string kind;
    while (!tables->EndOfFile()) {
        const ado::Variant tableName = tables->GetCollect("TABLE_NAME");
        const ado::Variant type = tables->GetCollect("TABLE_TYPE");
        const std::string nameText =
            tableName.vt() == ado::VT_BSTR ? tableName.bstrVal() : tableName.Describe();
        const std::string typeText = type.vt() == ado::VT_BSTR ? type.bstrVal() : type.Describe();
        if ((typeText == "TABLE" || typeText == "VIEW") && nameText == name) {
            kind = typeText;
            break;
        }
        tables->MoveNext();
    }
    tables->Close();
    return kind;
}

} // namespace

bool HasTable(CADODataBase& database, const std::string& name)
{
    return !KindOf(database, name).empty();
}

bool HasPlainTable(CADODataBase& database, const std::string& name)
{
    return KindOf(database, name) == "TABLE";
}

void RaiseAccessError(const std::string& account)
{
    throw std::runtime_error(account);
}

} // namespace store
