#include "hostlink/LoadHostNames.h"

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

// A store or a tb_Layout that cannot be opened gives no names; a name that
// cannot be read gives the database error, since it would show as a blank
// entry.
HostNameList ReadHostNames(const std::string& path)
{
    HostNameList list{HostNameList::kLoaded, {}};
    CADODataBase db;
    if (!db.Open(store::ConnectionStringFor(path), "", ""))
        return list;
    CADORecordset rs(&db);
    try {
        show::ForEachCueRecord(
            rs, kHostNamesQuery, modeQuery, show::CueFields::kHostName,
            [&list](show::Cue& cue) { list.names.push_back(std::move(cue.HostName)); });
    } catch (const show::Failure& failure) {
        if (failure.Code() != show::FailureCode::kTableNotOpened)
            return {HostNameList::kDatabaseError, {}};
    }
    db.Close();
    return list;
}

} // namespace

prompt::FileChoice HostSettingsFileChoice()
{
    return DownloadFileChoice();
}

HostNameList LoadHostNames(prompt::Prompt& prompt)
{
    const std::optional<std::string> path = prompt.ChooseOpenFile(HostSettingsFileChoice());
    if (!path)
        return {};
    HostNameList list{HostNameList::kDatabaseError, {}};
    try {
        list = ReadHostNames(*path);
    } catch (const ado::_com_error&) {
    } catch (const std::exception&) { // the engine's own failures, memory
    }
    if (list.status == HostNameList::kLoaded)
        return list;
    prompt.ShowMessage(strings::kHostSettingsDatabaseException, prompt::MessageIcon::Stop);
    return {HostNameList::kDatabaseError, {}};
}

} // namespace hostlink
