#include "store/HostPlanTable.h"

#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/TableRows.h"

namespace store {

namespace {

constexpr char kReadPlanSql[] = "SELECT HostName, HostCode FROM tb_HostPlan";
constexpr char kDropPlanSql[] = "DROP TABLE tb_HostPlan";
constexpr char kClearPlanSql[] = "DELETE FROM tb_HostPlan";
constexpr char kPlanTableSql[] =
    "SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = 'tb_HostPlan'";

// Whether the plan table is the one this program makes, key and types.
bool IsOwnPlanTable(CADODataBase& database)
{
    CADORecordset rs(&database);
    if (!rs.Open(kPlanTableSql, modeQuery))
        RaiseAccessError(rs.GetLastErrorText());
    std::string sql;
    const bool own = !rs.GetRecordset()->EndOfFile() && rs.ReadField("sql", sql, "") &&
                     sql == kCreateHostPlanTableSql;
    rs.Close();
    return own;
}

} // namespace

std::vector<HostPlanRow> ReadHostPlanRows(CADODataBase& database)
{
    return ReadTableRows(database, kHostPlanTable, kReadPlanSql, modeQuery, [](CADORecordset& rs) {
        HostPlanRow row;
        if (!rs.ReadField("HostName", row.HostName, ""))
            RaiseAccessError(rs.GetLastErrorText());
        // The code as it is, whatever its kind: the plan's rules judge it.
        row.HostCode = rs.GetRecordset()->GetCollect("HostCode");
        return row;
    });
}

void ReplaceHostPlan(CADODataBase& database, const std::vector<HostPlanEntry>& plan)
{
    // A table made elsewhere gets this program's key and types back.
    const bool exists = HasTable(database, kHostPlanTable);
    const bool own = exists && IsOwnPlanTable(database);
    if (own && !database.Execute(kClearPlanSql))
        RaiseAccessError(database.GetLastErrorDescription());
    if (exists && !own && !database.Execute(kDropPlanSql))
        RaiseAccessError(database.GetLastErrorDescription());
    if (!own && !database.Execute(kCreateHostPlanTableSql))
        RaiseAccessError(database.GetLastErrorDescription());
    CADORecordset rs(&database);
    if (!rs.Open(kHostPlanTable, modeTable))
        RaiseAccessError(rs.GetLastErrorText());
    for (const HostPlanEntry& entry : plan) {
        if (!rs.AddNew() || !rs.WriteField("HostName", entry.HostName) ||
            !rs.WriteField("HostCode", static_cast<int>(entry.HostCode)) || !rs.Update())
            RaiseAccessError(rs.GetLastErrorText());
    }
    rs.Close();
}

} // namespace store
