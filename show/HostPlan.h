#pragma once

#include "show/Cue.h"
#include "show/Failure.h"
#include "show/HostNameRules.h"
#include "store/HostPlanTable.h"
#include "store/LayoutTable.h"

#include <map>
#include <string>
#include <vector>

namespace show {

using store::HostPlanEntry;
using store::HostPlanRow;

// The host names of a show with their numbers of cues, by name trimmed (a
// name with blanks around it is the same host's); for any cue type with a
// HostName.
template <typename Cue> std::map<std::string, int> CuesByHostName(const std::vector<Cue>& cues)
{
    std::map<std::string, int> hosts;
    for (const Cue& cue : cues)
        ++hosts[TrimHostName(cue.HostName)];
    return hosts;
}

// Every rule the plan breaks, row by row: a code that is no whole number
// (kPlanCodeInvalid: NULL, a text, a fraction) or lies outside 1..252
// (kPlanCodeOutOfRange, the code as row), one code for two names
// (kPlanCodeTaken), one name twice (kPlanNameTwice, once per name; names
// equal once trimmed are one name). Each names its host name. Empty when the
// plan is sound.
std::vector<Failure> PlanProblems(const std::vector<HostPlanRow>& rows);

// The rows a plan as typed is written as.
std::vector<HostPlanRow> PlanRows(const std::vector<HostPlanEntry>& plan);

// The plan's names that are no host name of the show: kept, but reported.
std::vector<std::string> UnusedPlanNames(const std::vector<HostPlanEntry>& plan,
                                         const std::map<std::string, int>& showHosts);

// The plan as typed with its names as they would be stored: trimmed by the
// rules of a host name, as `assign` and Save trim them. Raises the refusal
// of the first name those rules refuse (kHostNameEmpty for a name of blanks,
// kHostNameControl, kHostNameTooLong, kHostNameNotGbk), in the words of a
// name as typed.
std::vector<HostPlanEntry> PlanWithStoredNames(std::vector<HostPlanEntry> plan);

// The plan kept in a show store, as it stands.
struct StoredPlan
{
    std::vector<HostPlanRow> rows;      // as the file holds them
    std::vector<Failure> problems;      // PlanProblems of the rows
    std::vector<HostPlanEntry> entries; // by host code; the whole plan only when sound
};

// Reads the plan of a store; a store without one (an Access store among
// them) has an empty plan. Raises Failure kPlanNotRead.
StoredPlan ReadHostPlan(const std::string& storePath);

// The plan of a store, sound: what the field is loaded by. Raises Failure
// kPlanNotRead, or kPlanUnsound with every problem.
std::vector<HostPlanEntry> ReadHostPlanChecked(const std::string& storePath);

// Writes the whole plan `plan` in place of the one read as `asRead`, in one
// write transaction: all of it or nothing. Returns the plan saved, its names
// trimmed, by host code. Raises Failure (before the store is opened): those of
// PlanWithStoredNames, the plan's lone problem, or kPlanUnsound with all of
// them;
// kPlanAccessStore; kPlanChanged when the store no longer holds `asRead`
// (another program changed the plan since); kPlanNotSaved.
std::vector<HostPlanEntry> SaveHostPlan(const std::string& storePath,
                                        const std::vector<HostPlanEntry>& plan,
                                        const std::vector<HostPlanRow>& asRead);

// Gives the names of `set` their codes and takes the names of `remove` out,
// in one write transaction on the plan as the file holds it at that moment,
// so that changes by other programs stay. It may mend a plan made elsewhere,
// but the result must be sound. The names of `set` are trimmed and judged as
// PlanWithStoredNames does, before the store is opened. Returns the plan
// saved, by host code. Raises Failure: those of PlanWithStoredNames;
// kPlanNameAbsent for a name to remove that the plan does not hold;
// the result's lone problem or kPlanUnsound; kPlanAccessStore; kPlanNotSaved
// (a store that another program holds locked beyond the engine's wait, too).
std::vector<HostPlanEntry> ChangeHostPlan(const std::string& storePath,
                                          const std::vector<HostPlanEntry>& set,
                                          const std::vector<std::string>& remove);

} // namespace show
