#pragma once

#include <string>
#include <vector>

class CADODataBase;

namespace store {

inline constexpr char kLayoutTable[] = "tb_Layout";
inline constexpr char kFireDataTable[] = "FireData";
inline constexpr int kHostNameMaxChars = 32; // the declared width of HostName
inline constexpr char kDefaultHostName[] = "HOST";

// The statement that creates the show table, as one text.
inline constexpr char kCreateLayoutTableSql[] =
    "CREATE TABLE tb_Layout(FlowID int not null,"
    "HostName nVarchar(32) not null,HostIndex int not null,BlastTime int not null,"
    "Addr nVarchar(32),Channel nVarchar(32),CDCode int not null,Sector int not null,"
    "CONSTRAINT PK_FlowID Primary Key (FlowID))";

inline constexpr char kConnectionStringFormat[] = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s";

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<path>"
std::string ConnectionStringFor(const std::string& path);

// Whether the open database holds the show table: a TABLE or VIEW named
// exactly "tb_Layout". Raises ado::_com_error on a failing call.
bool HasLayoutTable(CADODataBase& database);

// The show table's columns that the database's tb_Layout lacks (compared
// without regard to case, as SQL does); empty for a show table. A table of
// that name another program made for its own ends is no show table, and
// writing cues into it would fill it with NULLs. Raises ado::_com_error.
std::vector<std::string> MissingLayoutColumns(CADODataBase& database);

} // namespace store
