#include "store/LayoutTable.h"

#include "store/ADODataBase.h"
#include "store/TableRows.h"
#include "store/engine/DatabaseEngine.h"

#include <strings.h>

namespace store {

std::string ConnectionStringFor(const std::string& path)
{
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path;
}

bool HasLayoutTable(CADODataBase& database)
{
    return HasTable(database, kLayoutTable);
}

std::vector<std::string> MissingLayoutColumns(CADODataBase& database)
{
    static constexpr const char* kShowTableColumns[] = {
        "FlowID", "HostName", "HostIndex", "BlastTime", "Addr", "Channel", "CDCode", "Sector"};
    const ado::ConnectionPtr connection = database.GetConnection();
    if (!connection)
        throw ado::_com_error(ado::E_POINTER);
    const RowSet none =
        connection->Engine().Query(std::string("SELECT * FROM ") + kLayoutTable + " WHERE 1 = 0");
    std::vector<std::string> missing;
    for (const char* wanted : kShowTableColumns) {
        bool found = false;
        for (const ColumnInfo& column : none.columns)
            found = found || strcasecmp(column.name.c_str(), wanted) == 0;
        if (!found)
            missing.emplace_back(wanted);
    }
    return missing;
}

} // namespace store
