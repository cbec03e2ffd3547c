#include "show/ShowCues.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/ReadCueRecords.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/StoreCloser.h"

#include <exception>

namespace show {

namespace {

void ReadTable(CADODataBase& db, ShowCues& show)
{
    if (!store::HasLayoutTable(db)) {
        show.status = ShowCues::kNoLayoutTable;
        return;
    }
    CADORecordset rs(&db);
    const show::CueReadOutcome read = show::ReadCueRecords(rs, store::kLayoutTable, modeTable,
                                                           show::CueFields::kShown, show.cues);
    switch (read.status) {
    case show::CueReadOutcome::kRead:
        return;
    case show::CueReadOutcome::kNotOpened:
        show.detail = read.detail;
        break;
    case show::CueReadOutcome::kBadField:
        show.detail = strings::FormatText(strings::kLoadBadField, read.records, read.field);
        break;
    }
    show.status = ShowCues::kUnreadable;
}

} // namespace

ShowCues ReadShowCues(const std::string& path)
{
    ShowCues show;
    CADODataBase db;
    if (!db.Open(store::ConnectionStringFor(path), "", "")) {
        show.status = ShowCues::kUnreadable;
        show.detail = db.GetLastErrorText();
        return show;
    }
    store::StoreCloser closer(db);
    try {
        ReadTable(db, show);
    } catch (const std::exception& error) { // the store's failures, memory
        show.status = ShowCues::kUnreadable;
        show.detail = error.what();
        show.cues.clear();
    }
    return show;
}

} // namespace show
