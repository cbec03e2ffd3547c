#include "ShowCues.h"

#include "ADODataBase.h"
#include "ADORecordset.h"
#include "ReadCueRecord.h"
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
    if (!rs.Open(store::kLayoutTable, modeTable)) {
        show.status = ShowCues::kUnreadable;
        show.detail = rs.GetLastErrorText();
        return;
    }
    const ado::RecordsetPtr records = rs.GetRecordset();
    for (; !records->EndOfFile(); records->MoveNext()) {
        store::CueRecord cue;
        if (const char* field = store::ReadCueRecord(rs, cue)) {
            show.status = ShowCues::kUnreadable;
            show.detail = strings::FormatText(strings::kLoadBadField,
                                              static_cast<int>(show.cues.size()) + 1, field);
            show.cues.clear();
            return;
        }
        show.cues.push_back(std::move(cue));
    }
    rs.Close();
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
