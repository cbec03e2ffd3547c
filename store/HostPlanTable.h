#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CADODataBase;

namespace store {

// The host plan travels with the show in a table of its own: tb_Layout is
// never touched by it, and a store without it is an ordinary show store.
inline constexpr char kHostPlanTable[] = "tb_HostPlan";
inline constexpr char kCreateHostPlanTableSql[] =
    "CREATE TABLE tb_HostPlan(HostName nVarchar(32) not null,HostCode int not null,"
    "CONSTRAINT PK_HostPlan Primary Key (HostName))";

// One host name of the show and the host code of the physical host that
// stands for it.
struct HostPlanEntry
{
    std::string HostName;
    std::int32_t HostCode = 0;

    bool operator==(const HostPlanEntry&) const = default;
};

// Whether the open database holds a table or view of exactly this name.
// Raises ado::_com_error on a failing call.
bool HasTable(CADODataBase& database, const std::string& name);

// The plan of an open store, by host code; none when the store has no plan
// table. Raises (ado::_com_error, std::runtime_error) when it cannot be read.
std::vector<HostPlanEntry> ReadHostPlan(CADODataBase& database);

// Replaces the whole plan in one transaction, making the table when it is
// missing: all of it is written or nothing. Raises like ReadHostPlan.
void WriteHostPlan(CADODataBase& database, const std::vector<HostPlanEntry>& plan);

} // namespace store
