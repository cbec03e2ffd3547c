#include "hostlink/LoadDownloadCues.h"

#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/Failure.h"
#include "show/ShowReader.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"

#include <exception>

namespace hostlink {

namespace {

enum class LoadResult
{
    kLoaded,
    kNoLayoutTable,
    kUnreadable
};

LoadResult ReadStore(const std::string& path, std::vector<show::Cue>& list)
{
    CADODataBase db;
    if (!db.Open(store::ConnectionStringFor(path), "", ""))
        return LoadResult::kUnreadable;
    if (!store::HasLayoutTable(db))
        return LoadResult::kNoLayoutTable;
    CADORecordset rs(&db);
    // Every field or none: a field that cannot be read would go to the host as
    // a made-up 0.
    try {
        list = show::ReadCueRecords(rs, kDownloadQuery, modeQuery, show::CueFields::kSent);
    } catch (const show::Failure&) {
        return LoadResult::kUnreadable;
    }
    db.Close();
    return LoadResult::kLoaded;
}

} // namespace

prompt::FileChoice DownloadFileChoice()
{
    prompt::FileChoice choice;
    choice.filters = {
        {strings::kFilterMdbChinese, {"*.mdb"}},
        {strings::kFilterSqlite, {"*.db", "*.sqlite", "*.sqlite3"}},
        {strings::kFilterAll, {"*"}},
    };
    return choice;
}

bool LoadDownloadCues(prompt::Prompt& prompt, std::vector<show::Cue>& list)
{
    list.clear();
    const std::optional<std::string> path = prompt.ChooseOpenFile(DownloadFileChoice());
    if (!path)
        return false;
    LoadResult result = LoadResult::kUnreadable;
    try {
        result = ReadStore(*path, list);
    } catch (const ado::_com_error&) {
        result = LoadResult::kUnreadable;
    } catch (const std::exception&) { // the engine's own failures, memory
        result = LoadResult::kUnreadable;
    }
    switch (result) {
    case LoadResult::kLoaded:
        return true;
    case LoadResult::kNoLayoutTable:
        prompt.ShowMessage(strings::kNoLayoutTable, prompt::MessageIcon::Stop);
        break;
    case LoadResult::kUnreadable:
        prompt.ShowMessage(strings::kDatabaseException, prompt::MessageIcon::Stop);
        break;
    }
    list.clear();
    return false;
}

} // namespace hostlink
