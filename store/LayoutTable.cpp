#include "store/LayoutTable.h"

#include "store/ADODataBase.h"
#include "store/TableRows.h"

namespace store {

std::string ConnectionStringFor(const std::string& path)
{
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path;
}

bool HasLayoutTable(CADODataBase& database)
{
    return HasTable(database, kLayoutTable);
}

} // namespace store
