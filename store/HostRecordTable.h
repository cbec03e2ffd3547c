#pragma once

#include <string>
#include <vector>

class CADODataBase;

namespace store {

// The words kept in Sent and Outcome.
inline constexpr char kSentHostName[] = "name";
inline constexpr char kSentShow[] = "show";
inline constexpr char kOutcomeBegun[] = "begun"; // written before the first frame
inline constexpr char kOutcomeCompleted[] = "completed";
inline constexpr char kOutcomeFailed[] = "failed";
inline constexpr char kOutcomeCancelled[] = "cancelled";

// What each conversation with a firing host sent, and how far it got, kept
// in a table of its own: Save and the import rewrite tb_Layout only, so the
// records outlive both. Rows are read in the order they were written.
inline constexpr char kHostRecordTable[] = "tb_HostLoads";
inline constexpr char kCreateHostRecordTableSql[] =
    "CREATE TABLE tb_HostLoads(HostCode int not null,Address nVarchar(64) not null,"
    "Port int not null,AtField int not null,Sent nVarchar(8) not null,"
    "HostName nVarchar(64),Digest nVarchar(16),Frames int not null,"
    "Acknowledged int not null,Outcome nVarchar(16) not null,FailedAtFrame int not null,"
    "Failure nVarchar(64),LoadedAt nVarchar(32) not null,Conversation nVarchar(32))";
// A table made before conversations were recorded as they began gets the
// column that finds a begun record again; its older rows hold NULL there.
inline constexpr char kAddConversationColumnSql[] =
    "ALTER TABLE tb_HostLoads ADD COLUMN Conversation nVarchar(32)";

// One conversation with one host. It is written twice: begun, before the
// first frame goes, and again, in place, when the conversation ends. A
// record still begun is one whose program was killed, lost its power or
// crashed while it talked to the host (or one that is still talking).
struct HostRecord
{
    int HostCode = 0;
    std::string Address; // where it went: "192.168.10.5", or a rehearsal's
    int Port = 0;
    bool AtField = false;     // the host code's own field address and port
    std::string Sent;         // kSentHostName or kSentShow
    std::string HostName;     // the name set; empty for a show
    std::string Digest;       // of the frames acknowledged; empty for a name or while begun
    int Frames = 0;           // that the conversation would send in all
    int Acknowledged = 0;     // of them; 0 while begun
    std::string Outcome;      // kOutcomeBegun, kOutcomeCompleted, kOutcomeFailed, kOutcomeCancelled
    int FailedAtFrame = 0;    // from 1; 0 when completed, or begun where it would stop is unknown
    std::string Failure;      // the failure's short name; empty when completed or begun
    std::string LoadedAt;     // UTC, ISO 8601: when it began, then when it ended
    std::string Conversation; // the begun record's own key; empty in records made without one

    bool Completed() const { return Outcome == kOutcomeCompleted; }
    bool Ended() const { return Outcome != kOutcomeBegun; }
    bool operator==(const HostRecord&) const = default;
};

// Every record of an open store, oldest first; none when the store has no
// record table. Raises (ado::_com_error, std::runtime_error) when a row cannot
// be read.
std::vector<HostRecord> ReadHostRecords(CADODataBase& database);

// How many of the latest conversations the table keeps, whatever they were.
inline constexpr int kKeptConversations = 1000;

// Writes one record in a write transaction of its own, making the table (or
// its Conversation column) the first time: an ended record of a conversation
// takes the place of its begun one; any other is added. An ended record whose
// begun one is not there (it could not be written, or was deleted) is added.
// In the same transaction the table is pruned to the last
// kKeptConversations records and, older than those, what a host's state
// comes from: for each host code at its field address, its last record and
// its last of each kind (name, show). Raises like ReadHostRecords; then
// nothing was written.
void WriteHostRecord(CADODataBase& database, const HostRecord& record);

} // namespace store
