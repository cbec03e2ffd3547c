#include "hostlink/ReadHostNames.h"

#include "show/Cue.h"
#include "show/Failure.h"
#include "show/ShowReader.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "store/StoreCloser.h"

#include <exception>

namespace hostlink {

std::vector<std::string> ReadHostNames(const std::string& path)
{
    std::vector<std::string> names;
    CADODataBase db;
    try {
        if (!db.Open(store::ConnectionStringFor(path), "", ""))
            return names;
    } catch (const std::exception& error) { // the engine's own failures, memory
        throw show::DatabaseFailure(error);
    }
    store::StoreCloser closer(db);
    CADORecordset rs(&db);
    try {
        // A name that cannot be read would show as a blank entry.
        show::ForEachCueRecord(
            rs, kHostNamesQuery, modeQuery, show::CueFields::kHostName,
            [&names](show::Cue& cue) { names.push_back(std::move(cue.HostName)); });
    } catch (const show::Failure& failure) {
        if (failure.Code() != show::FailureCode::kTableNotOpened)
            throw;
        names.clear();
    }
    return names;
}

} // namespace hostlink
