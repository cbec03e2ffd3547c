#pragma once

#include "store/Variant.h"

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

// One row of the plan table as the file holds it. A table made by another
// program may lack the key and the column types: its code may be NULL, a
// text or a fraction, and a name may come twice.
struct HostPlanRow
{
    std::string HostName; // NULL reads as the empty text
    ado::Variant HostCode;

    bool operator==(const HostPlanRow&) const = default;
};

// Every row of the plan of an open store, in no particular order; none when
// the store has no plan table. Raises (ado::_com_error, std::runtime_error)
// when it cannot be read.
std::vector<HostPlanRow> ReadHostPlanRows(CADODataBase& database);

// Makes the plan table hold `plan`; a table made elsewhere is made anew, as
// this program makes it. Runs inside the caller's transaction, which makes it
// all or nothing. Raises like ReadHostPlanRows.
void ReplaceHostPlan(CADODataBase& database, const std::vector<HostPlanEntry>& plan);

} // namespace store
