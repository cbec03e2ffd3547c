#pragma once

#include "store/HostLoadTable.h"
#include "store/HostPlanTable.h"

#include <optional>
#include <string>
#include <vector>

namespace show {

// What a host of the plan holds, as its records tell.
enum class HostState
{
    kCurrent, // its host name and the whole of the show as it is now
    kChanged, // an older show, another name, or one of the two only
    kNever,   // nothing recorded
    kFailed,  // its last conversation failed or was stopped
};

struct HostStatus
{
    std::string hostName;
    int hostCode = 0;
    HostState state = HostState::kNever;
    std::string loadedAt;  // of its last conversation; empty with none
    int frames = 0;        // of its last conversation, in all
    int failedAtFrame = 0; // kFailed: where it ended, from 1; 0 when not known
    bool stopped = false;  // kFailed: its last conversation began and never ended
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
// and never ended (its program was killed mid-way).
std::vector<HostStatus> WorkOutHostStates(const std::vector<store::HostPlanEntry>& plan,
                                          const std::vector<store::HostLoadRecord>& records,
                                          const std::optional<std::string>& showDigest);

// "current", "changed", "never", "failed": for JSON and scripts.
const char* HostStateName(HostState state);

// The state for people: "failed at frame 6 of 11" in full for a failure,
// "stopped at frame 1 of 1" or "stopped before its end" for a conversation
// that never ended.
std::string HostStateText(const HostStatus& status);

} // namespace show
