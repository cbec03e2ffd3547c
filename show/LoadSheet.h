#pragma once

#include "show/Cue.h"
#include "show/SheetSummary.h"
#include "store/HostPlanTable.h"
#include "store/LayoutTable.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace show {

// One cue as the crew wires and checks it.
struct SheetCue
{
    std::string channel; // the "Cue" text
    std::int32_t launch = 0;
    std::int32_t event = 0;
};

// The cues of one module of one host, channels ascending, then by time.
struct SheetModule
{
    std::string module; // the "Sla" text
    std::vector<SheetCue> cues;
};

// The printable load sheet of one host name.
struct LoadSheet
{
    SheetSummary summary;
    std::optional<int> hostCode;      // from the host plan, when the plan names the host
    std::vector<SheetModule> modules; // ascending by module number
};

// The host code the show's host plan gives a host name, if any. The plan is
// the store's; a show without one answers nothing for every name.
using HostCodeLookup = std::function<std::optional<int>(const std::string& host)>;

// The lookup of a host plan as read from a store.
HostCodeLookup PlannedHostCodes(const std::vector<store::HostPlanEntry>& plan);

// One sheet per host name, in the order of BuildSheetSummaries.
std::vector<LoadSheet> BuildLoadSheets(const std::vector<show::Cue>& cues,
                                       const HostCodeLookup& hostCode);

// The sheets as one table: a caption row (Host, Host Code, Sla, Cue, Launch
// Time, Event), then one row per cue, host by host and module by module.
std::vector<std::vector<std::string>> LoadSheetTable(const std::vector<LoadSheet>& sheets);

} // namespace show
