#include "hostlink/ReadDownloadCues.h"

#include "show/Cue.h"
#include "show/Failure.h"
#include "show/ShowReader.h"
#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
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
    CADORecordset rs(&db);
    return show::ReadCueRecords(rs, kDownloadQuery, modeQuery, show::CueFields::kSent);
}

} // namespace hostlink
