#include "hostlink/ReadDownloadCues.h"

#include "hostlink/FrameDigest.h"
#include "show/Cue.h"
#include "show/Failure.h"
#include "show/ShowReader.h"
#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/LayoutTable.h"
#include "store/StoreCloser.h"

#include <exception>

namespace hostlink {

namespace {

// The store at `path` opened, its show table there, for `read`.
template <typename Read> auto WithShowTable(const std::string& path, Read read)
{
    CADODataBase db;
    show::StoreWork([&] {
        show::OpenStoreFile(db, path);
        if (!store::HasLayoutTable(db))
            throw show::Failure(show::FailureCode::kNoLayoutTable);
    });
    store::StoreCloser closer(db);
    return read(db);
}

} // namespace

std::vector<show::Cue> ReadDownloadCues(const std::string& path)
{
    return WithShowTable(path, [](CADODataBase& db) {
        return show::ReadCueRecords(db, kDownloadQuery, show::CueFields::kSent);
    });
}

std::optional<std::string> ReadDownloadDigest(const std::string& path)
{
    return WithShowTable(path, [](CADODataBase& db) {
        ShowDigester digester;
        show::ForEachCueRecord(db, kDownloadQuery, show::CueFields::kSent,
                               [&digester](show::Cue& cue) { digester.Add(cue); });
        return digester.Finish();
    });
}

} // namespace hostlink
