#include "hostlink/ReadHostNames.h"

#include "show/Cue.h"
#include "show/Failure.h"
#include "show/ShowReader.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "store/StoreCloser.h"

namespace hostlink {

std::vector<std::string> ReadHostNames(const std::string& path)
{
    std::vector<std::string> names;
    CADODataBase db;
    if (!show::StoreWork([&] { return db.Open(store::ConnectionStringFor(path), "", ""); }))
        return names;
    store::StoreCloser closer(db);
    try {
        // A name that cannot be read would show as a blank entry.
        show::ForEachCueRecord(
            db, kHostNamesQuery, show::CueFields::kHostName,
            [&names](show::Cue& cue) { names.push_back(std::move(cue.HostName)); });
    } catch (const show::Failure& failure) {
        if (failure.Code() != show::FailureCode::kTableNotOpened)
            throw;
        // A store without the show table has no host names: the dialog's
        // list stays empty, without a message, as it always has.
        names.clear();
    }
    return names;
}

} // namespace hostlink
