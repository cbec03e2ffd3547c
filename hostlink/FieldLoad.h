#pragma once

#include "hostlink/Conversation.h"
#include "hostlink/HostLink.h"
#include "hostlink/HostLinkOptions.h"
#include "show/Cue.h"
#include "show/Failure.h"
#include "show/HostPlan.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

namespace hostlink {

class HostRecorder;

// One host of a field: the host name it stands for and where it lives.
struct FieldHost
{
    std::string hostName;
    int hostCode = 0;
    HostLinkOptions link; // the field's own unless a test or lab moved it
    int cues = 0;         // of its own name, for the progress display
};

// Where one host of a field load stands.
struct FieldHostState
{
    enum Phase
    {
        kWaiting,
        kNaming,      // its host-name conversation
        kDownloading, // its download conversation
        kDone,        // named and every cue acknowledged
        kFailed,
        kCancelled,
    };
    Phase phase = kWaiting;
    int percent = 0;
    ConversationResult result; // how it ended, once Finished

    bool Finished() const { return phase == kDone || phase == kFailed || phase == kCancelled; }
};

// Text for a phase, from the string table.
const char* PhaseText(FieldHostState::Phase phase);

// Told of every change of every host; called from the hosts' own threads,
// possibly at the same time.
using FieldObserver = std::function<void(std::size_t host, const FieldHostState& state)>;

// The hosts of a show as the plan names them: one per host name that has
// cues, in plan order. `unplanned` lists the names with cues but no code;
// a load is refused unless it is empty.
struct FieldPlanning
{
    std::vector<FieldHost> hosts;
    std::vector<std::string> unplanned;
};
FieldPlanning PlanField(const std::vector<show::Cue>& cues,
                        const std::vector<show::HostPlanEntry>& plan,
                        const std::function<HostLinkOptions(int hostCode)>& linkFor);

// One load of a field, settled before it starts: the show read, the plan
// checked.
struct FieldLoadRequest
{
    // The whole show in launch-time order; the caller keeps it until the
    // load has ended.
    std::span<const show::Cue> cues{};
    std::vector<FieldHost> hosts{};
    std::stop_token stop{};
    FieldObserver observer{};
    HostLinkMaker makeLink = MakeHostLinkSocket; // tests wrap the socket
    // Where each conversation with a host is recorded, as it begins and as it
    // ends (a stopped one included), from that host's thread; none: nowhere.
    HostRecorder* recorder = nullptr;
};

// Loads every host at the same time, each on its own thread: its host-name
// conversation, then its download conversation of the whole show, both
// exactly as for one host. A host that fails stops only its own
// conversations; a stop stops all within half a second. Returns the hosts'
// final states, in the order given.
std::vector<FieldHostState> LoadField(const FieldLoadRequest& request);

// Whether every host got its name and every cue.
bool FieldComplete(const std::vector<FieldHostState>& states);

} // namespace hostlink
