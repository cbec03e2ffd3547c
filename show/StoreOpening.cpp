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

} // namespace show
