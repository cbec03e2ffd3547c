#include "store/HostPlanTable.h"

#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/Transaction.h"

#include <stdexcept>

namespace store {

namespace {

constexpr char kReadPlanSql[] = "SELECT HostName, HostCode FROM tb_HostPlan ORDER BY HostCode";
constexpr char kClearPlanSql[] = "DELETE FROM tb_HostPlan";

[[noreturn]] void Raise(const std::string& what)
{
    throw std::runtime_error(what);
}

} // namespace

std::vector<HostPlanEntry> ReadHostPlan(CADODataBase& database)
{
    std::vector<HostPlanEntry> plan;
    if (!HasTable(database, kHostPlanTable))
        return plan;
    CADORecordset rs(&database);
    if (!rs.Open(kReadPlanSql, modeQuery))
        Raise(rs.GetLastErrorText());
    for (const ado::RecordsetPtr records = rs.GetRecordset(); !records->EndOfFile();
         records->MoveNext()) {
        HostPlanEntry entry;
        int code = 0;
        if (!rs.ReadField("HostName", entry.HostName, "") || !rs.ReadField("HostCode", code))
            Raise(rs.GetLastErrorText());
        entry.HostCode = code;
        plan.push_back(std::move(entry));
    }
    rs.Close();
    return plan;
}

void WriteHostPlan(CADODataBase& database, const std::vector<HostPlanEntry>& plan)
{
    const bool exists = HasTable(database, kHostPlanTable);
    Transaction transaction(*database.GetConnection());
    if (!database.Execute(exists ? kClearPlanSql : kCreateHostPlanTableSql))
        Raise(database.GetLastErrorDescription());
    CADORecordset rs(&database);
    if (!rs.Open(kHostPlanTable, modeTable))
        Raise(rs.GetLastErrorText());
    for (const HostPlanEntry& entry : plan) {
        if (!rs.AddNew() || !rs.WriteField("HostName", entry.HostName) ||
            !rs.WriteField("HostCode", static_cast<int>(entry.HostCode)) || !rs.Update())
            Raise(rs.GetLastErrorText());
    }
    rs.Close();
    transaction.Commit();
}

} // namespace store
