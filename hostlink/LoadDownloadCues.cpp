#include "LoadDownloadCues.h"

#include "ADODataBase.h"
#include "ADORecordset.h"
#include "LayoutTable.h"
#include "strings/Strings.h"

#include <exception>

namespace hostlink {

namespace {

// Every field or none: a field that cannot be read would go to the host as
// a made-up 0.
bool ReadCue(CADORecordset& rs, DownloadCue& cue)
{
    return rs.ReadField("HostName", cue.HostName, "") && rs.ReadField("BlastTime", cue.BlastTime) &&
           rs.ReadField("Addr", cue.Addr, "") && rs.ReadField("Channel", cue.Channel, "") &&
           rs.ReadField("CDCode", cue.CDCode) && rs.ReadField("Sector", cue.Sector);
}

enum class LoadResult
{
    kLoaded,
    kNoLayoutTable,
    kUnreadable
};

LoadResult ReadStore(const std::string& path, std::vector<DownloadCue>& list)
{
    CADODataBase db;
    if (!db.Open(store::ConnectionStringFor(path), "", ""))
        return LoadResult::kUnreadable;
    if (!store::HasLayoutTable(db))
        return LoadResult::kNoLayoutTable;
    CADORecordset rs(&db);
    if (!rs.Open(kDownloadQuery, modeQuery))
        return LoadResult::kUnreadable;
    const ado::RecordsetPtr records = rs.GetRecordset();
    for (; !records->EndOfFile(); records->MoveNext()) {
        DownloadCue cue;
        if (!ReadCue(rs, cue))
            return LoadResult::kUnreadable;
        list.push_back(std::move(cue));
    }
    rs.Close();
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

bool LoadDownloadCues(prompt::Prompt& prompt, std::vector<DownloadCue>& list)
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
