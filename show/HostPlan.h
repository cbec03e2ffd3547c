#pragma once

#include "show/Cue.h"
#include "store/HostPlanTable.h"
#include "store/LayoutTable.h"

#include <map>
#include <string>
#include <vector>

namespace show {

using store::HostPlanEntry;

// The host names of a show with their numbers of cues, by name; for any cue
// type with a HostName.
template <typename Cue> std::map<std::string, int> CuesByHostName(const std::vector<Cue>& cues)
{
    std::map<std::string, int> hosts;
    for (const Cue& cue : cues)
        ++hosts[cue.HostName];
    return hosts;
}

// The plan's rules: a code outside 1..252, and two host names on one code.
// The message of the first rule broken, or empty when the plan is sound.
std::string PlanRefusal(const std::vector<HostPlanEntry>& plan);

// The plan's names that are no host name of the show: kept, but reported.
std::vector<std::string> UnusedPlanNames(const std::vector<HostPlanEntry>& plan,
                                         const std::map<std::string, int>& showHosts);

// The plan with these names given these codes (added or changed) and those
// names taken out, ordered by host code.
std::vector<HostPlanEntry> ChangedPlan(std::vector<HostPlanEntry> plan,
                                       const std::vector<HostPlanEntry>& set,
                                       const std::vector<std::string>& remove);

// The plan kept in a show store, read by path.
struct StoredPlan
{
    bool read = false;
    std::string error; // when not read: a message from the string table
    std::vector<HostPlanEntry> entries;
};
StoredPlan LoadHostPlan(const std::string& storePath);

// Checks the rules, then writes the whole plan into the store or nothing.
// Empty when saved, otherwise the message saying why nothing was written.
std::string SaveHostPlan(const std::string& storePath, const std::vector<HostPlanEntry>& plan);

} // namespace show
