#pragma once

#include <string>
#include <vector>

class CADODataBase;

namespace store {

// What each conversation with a firing host sent, and how far it got, kept
// in a table of its own: Save and the import rewrite tb_Layout only, so the
// records outlive both. Rows are read in the order they were written.
inline constexpr char kHostLoadTable[] = "tb_HostLoads";
inline constexpr char kCreateHostLoadTableSql[] =
    "CREATE TABLE tb_HostLoads(HostCode int not null,Address nVarchar(64) not null,"
    "Port int not null,AtField int not null,Sent nVarchar(8) not null,"
    "HostName nVarchar(64),Digest nVarchar(16),Frames int not null,"
    "Acknowledged int not null,Outcome nVarchar(16) not null,FailedAtFrame int not null,"
    "Failure nVarchar(64),LoadedAt nVarchar(32) not null)";

// The words kept in Sent and Outcome.
inline constexpr char kSentHostName[] = "name";
inline constexpr char kSentShow[] = "show";
inline constexpr char kOutcomeCompleted[] = "completed";
inline constexpr char kOutcomeFailed[] = "failed";
inline constexpr char kOutcomeCancelled[] = "cancelled";

// One conversation with one host.
struct HostLoadRecord
{
    int HostCode = 0;
    std::string Address; // where it went: "192.168.10.5", or a rehearsal's
    int Port = 0;
    bool AtField = false;  // the host code's own field address and port
    std::string Sent;      // kSentHostName or kSentShow
    std::string HostName;  // the name set; empty for a show
    std::string Digest;    // of the frames acknowledged; empty for a name
    int Frames = 0;        // that the conversation would send in all
    int Acknowledged = 0;  // of them
    std::string Outcome;   // kOutcomeCompleted, kOutcomeFailed or kOutcomeCancelled
    int FailedAtFrame = 0; // from 1; 0 when completed
    std::string Failure;   // the failure's short name; empty when completed
    std::string LoadedAt;  // UTC, ISO 8601

    bool Completed() const { return Outcome == kOutcomeCompleted; }
    bool operator==(const HostLoadRecord&) const = default;
};

// Every record of an open store, oldest first; none when the store has no
// record table. Raises (ado::_com_error, std::runtime_error) when a row cannot
// be read.
std::vector<HostLoadRecord> ReadHostLoads(CADODataBase& database);

// Adds one record in a write transaction of its own, making the table the
// first time. Raises like ReadHostLoads; then nothing was written.
void AppendHostLoad(CADODataBase& database, const HostLoadRecord& record);

} // namespace store
