#include "ShowCues.h"

#include "ADODataBase.h"
#include "ADORecordset.h"
#include "ReadCueRecords.h"
#include "StoreCloser.h"
#include "strings/FormatText.h"
#include "strings/Strings.h"

#include <exception>

namespace editor {

namespace {

void ReadTable(CADODataBase& db, ShowCues& show)
{
    if (!store::HasLayoutTable(db)) {
        show.status = ShowCues::kNoLayoutTable;
        return;
    }
    CADORecordset rs(&db);
    const store::CueReadOutcome read = store::ReadCueRecords(rs, store::kLayoutTable, modeTable,
                                                             store::CueFields::kShown, show.cues);
    switch (read.status) {
    case store::CueReadOutcome::kRead:
        return;
    case store::CueReadOutcome::kNotOpened:
        show.detail = read.detail;
        break;
    case store::CueReadOutcome::kBadField:
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
    StoreCloser closer(db);
    try {
        ReadTable(db, show);
    } catch (const std::exception& error) { // the store's failures, memory
        show.status = ShowCues::kUnreadable;
        show.detail = error.what();
        show.cues.clear();
    }
    return show;
}

} // namespace editor
