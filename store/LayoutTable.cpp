#include "LayoutTable.h"

#include "ADODataBase.h"
#include "HostPlanTable.h"

#include <cstdio>

namespace store {

std::string ConnectionStringFor(const std::string& path)
{
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path;
}

std::array<std::string, kCueColumnCount> CueCellTexts(const CueRecord& cue)
{
    return {std::to_string(cue.FlowID),
            cue.HostName,
            FormatLaunchTime(cue.BlastTime),
            std::to_string(cue.Sector),
            std::to_string(cue.CDCode),
            cue.Addr,
            cue.Channel,
            std::string()};
}

std::string FormatLaunchTime(std::int32_t t)
{
    const std::int32_t hours = t / 3600000;
    const std::int32_t rest = t % 3600000;
    const std::int32_t minutes = rest / 60000;
    const std::int32_t seconds = rest % 60000 / 1000;
    const std::int32_t millis = rest % 60000 % 1000;
    char buf[48];
    if (hours >= 1)
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d", hours, minutes, seconds, millis);
    else
        std::snprintf(buf, sizeof buf, "%02d:%02d.%03d", minutes, seconds, millis);
    return buf;
}

bool HasLayoutTable(CADODataBase& database)
{
    return HasTable(database, kLayoutTable);
}

bool HasTable(CADODataBase& database, const std::string& name)
{
    const ado::ConnectionPtr connection = database.GetConnection();
    if (!connection)
        throw ado::_com_error(ado::E_POINTER);
    const ado::RecordsetPtr tables = connection->OpenSchema(ado::adSchemaTables);
    bool found = false;
    while (!tables->EndOfFile()) {
        const ado::Variant tableName = tables->GetCollect("TABLE_NAME");
        const ado::Variant type = tables->GetCollect("TABLE_TYPE");
        const std::string nameText =
            tableName.vt() == ado::VT_BSTR ? tableName.bstrVal() : tableName.Describe();
        const std::string typeText = type.vt() == ado::VT_BSTR ? type.bstrVal() : type.Describe();
        if ((typeText == "TABLE" || typeText == "VIEW") && nameText == name) {
            found = true;
            break;
        }
        tables->MoveNext();
    }
    tables->Close();
    return found;
}

} // namespace store
