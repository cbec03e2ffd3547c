#include "LoadHostNames.h"

#include "ADODataBase.h"
#include "ADORecordset.h"
#include "LayoutTable.h"
#include "LoadDownloadCues.h"
#include "strings/Strings.h"

#include <exception>

namespace hostlink {

namespace {

struct ReadFailure
{
};

std::vector<std::string> ReadHostNames(const std::string& path)
{
    std::vector<std::string> names;
    CADODataBase db;
    if (!db.Open(store::ConnectionStringFor(path), "", ""))
        return names;
    CADORecordset rs(&db);
    if (rs.Open(kHostNamesQuery, modeQuery)) {
        const ado::RecordsetPtr records = rs.GetRecordset();
        for (; !records->EndOfFile(); records->MoveNext()) {
            std::string name;
            // A name that cannot be read would show as a blank entry.
            if (!rs.ReadField("HostName", name, ""))
                throw ReadFailure{};
            names.push_back(std::move(name));
        }
        rs.Close();
    }
    db.Close();
    return names;
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
    try {
        return {HostNameList::kLoaded, ReadHostNames(*path)};
    } catch (const ReadFailure&) {
    } catch (const ado::_com_error&) {
    } catch (const std::exception&) { // the engine's own failures, memory
    }
    prompt.ShowMessage(strings::kHostSettingsDatabaseException, prompt::MessageIcon::Stop);
    return {HostNameList::kDatabaseError, {}};
}

} // namespace hostlink
