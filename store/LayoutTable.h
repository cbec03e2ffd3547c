#pragma once

#include <array>
#include <cstdint>
#include <string>

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

// The columns of a record that held NULL. Each reads as 0 or the empty text
// all the same; only the show check looks here, since a store made elsewhere
// (without NOT NULL) would otherwise pass a made-up 0 on to a host.
struct CueNulls
{
    bool HostName = false;
    bool BlastTime = false;
    bool CDCode = false;
    bool Sector = false;

    bool Any() const { return HostName || BlastTime || CDCode || Sector; }
};

// One row of tb_Layout.
struct CueRecord
{
    std::int32_t FlowID = 0;
    std::string HostName;
    std::int32_t HostIndex = 0;
    std::int32_t BlastTime = 0; // milliseconds from the start of the show
    std::string Addr;
    std::string Channel;
    std::int32_t CDCode = 0;
    std::int32_t Sector = 0;
    CueNulls nulls; // as read from the store; all false for a cue made in memory
};

enum CueColumn : int
{
    kColumnSequence = 0,
    kColumnHost = 1,
    kColumnLaunchTime = 2,
    kColumnOffset = 3,
    kColumnEvent = 4,
    kColumnSla = 5,
    kColumnCue = 6,
    kColumnNote = 7,
    kCueColumnCount = 8,
};

// The eight grid texts of a cue, by column.
std::array<std::string, kCueColumnCount> CueCellTexts(const CueRecord& cue);

// "MM:SS.fff" below an hour, "HH:MM:SS.fff" from an hour on; negative times
// take the short form with signed components.
std::string FormatLaunchTime(std::int32_t milliseconds);

// Whether the open database holds the show table: a TABLE or VIEW named
// exactly "tb_Layout". Raises ado::_com_error on a failing call.
bool HasLayoutTable(CADODataBase& database);

} // namespace store
