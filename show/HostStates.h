#pragma once

#include "show/Failure.h"
#include "store/HostPlanTable.h"
#include "store/HostRecordTable.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// The records of what each host holds, by show store: written as each
// conversation with a host begins and ends, read back to say what each host
// of the plan holds now.
namespace show {

using store::HostRecord;

// Writes one conversation's record into the show store at `path`, in a write
// transaction of its own: begun, or ended in place of its begun one (see
// store::WriteHostRecord). Raises Failure kHostRecordsAccessStore for an
// Access store (it cannot hold one), else kHostRecordNotWritten; the host
// link makes it a warning, since a record never undoes what a host was sent.
void WriteHostRecord(const std::string& path, const HostRecord& record);

// Every record of the show store at `path`, oldest first; none when it has
// none. Raises Failure: kStoreNotOpened, kHostRecordsNotRead.
std::vector<HostRecord> ReadHostRecords(const std::string& path);

// "2026-05-04T18:30:05Z": the time in UTC, ISO 8601, to the second.
std::string UtcTimestamp(std::chrono::system_clock::time_point time);

// What a host of the plan holds, as its records tell.
enum class HostState
{
    kCurrent, // its host name and the whole of the show as it is now
    kChanged, // an older show, another name, or one of the two only
    kNever,   // nothing recorded
    kFailed,  // its last conversation failed or was stopped
};

struct PlannedHostState
{
    std::string hostName;
    int hostCode = 0;
    HostState state = HostState::kNever;
    std::string loadedAt;  // of its last conversation; empty with none
    int frames = 0;        // of its last conversation, in all
    int failedAtFrame = 0; // kFailed: where it ended, from 1; 0 when not known
    bool stopped = false;  // kFailed: its last conversation began and never ended
    // kFailed: the host answered more often than it was sent frames, so none
    // of its answers could be matched to a frame.
    bool ambiguous = false;
};

// Works out what each host of `plan` holds from the records, oldest first,
// and the digest of the show as a download would send it now (none when it
// cannot be sent). Only conversations at a host code's own field address
// count; rehearsals elsewhere never make a host current.
//
// A host's name and its show come from separate conversations (Host
// Settings sends the name, the Download dialog the show, a field load one
// then the other), joined by the host code. A host is current when its last
// conversation succeeded, its last name conversation succeeded with the
// plan's name for it, and its last show conversation succeeded with the
// show's digest. A failed name or show conversation leaves the host holding
// something unknown until the next one succeeds; so does one that began
// and never ended (its program was killed mid-way). A host whose last name
// or show conversation found it answering more often than it was sent
// frames is failed, whatever came after, until that kind succeeds again.
std::vector<PlannedHostState> WorkOutHostStates(const std::vector<store::HostPlanEntry>& plan,
                                                const std::vector<store::HostRecord>& records,
                                                const std::optional<std::string>& showDigest);

// "current", "changed", "never", "failed": for JSON and scripts.
const char* HostStateName(HostState state);

// The state for people: "failed at frame 6 of 11" in full for a failure,
// "stopped at frame 1 of 1" or "stopped before its end" for a conversation
// that never ended, and for a host that answered more often than it was
// sent frames, that it did.
std::string HostStateText(const PlannedHostState& status);

} // namespace show
