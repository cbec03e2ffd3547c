#include "show/StoreOpening.h"

#include "store/ADODataBase.h"
#include "store/LayoutTable.h"

namespace show {

void OpenStoreFile(CADODataBase& db, const std::string& path, FailureCode failing)
{
    if (!db.Open(store::ConnectionStringFor(path), "", ""))
        throw Failure(failing)
            .WithDetail(db.GetLastErrorDescription())
            .WithRecord(db.GetLastErrorText());
}

Failure RefusedBy(const CADODataBase& db, FailureCode code)
{
    const std::string description = db.GetLastErrorDescription();
    return Failure(code).WithDetail(description.empty() ? db.GetLastErrorText() : description);
}

void RequireShowTableColumns(CADODataBase& db, const std::string& path)
{
    const std::vector<std::string> missing =
        StoreWork([&] { return store::MissingLayoutColumns(db); });
    if (missing.empty())
        return;
    std::string columns;
    for (const std::string& column : missing)
        columns += (columns.empty() ? "" : ", ") + column;
    throw Failure(FailureCode::kLayoutNotShowTable).WithName(path).WithOther(columns);
}

} // namespace show
