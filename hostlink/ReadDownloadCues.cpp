#include "hostlink/ReadDownloadCues.h"

#include "show/Cue.h"
#include "show/Failure.h"
#include "show/ShowReader.h"
#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/LayoutTable.h"
#include "store/StoreCloser.h"

#include <exception>

namespace hostlink {

std::vector<show::Cue> ReadDownloadCues(const std::string& path)
{
    CADODataBase db;
    show::StoreWork([&] {
        show::OpenStoreFile(db, path);
        if (!store::HasLayoutTable(db))
            throw show::Failure(show::FailureCode::kNoLayoutTable);
    });
    store::StoreCloser closer(db);
    return show::ReadCueRecords(db, kDownloadQuery, show::CueFields::kSent);
}

} // namespace hostlink
