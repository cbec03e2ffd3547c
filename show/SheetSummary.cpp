#include "show/SheetSummary.h"

#include "show/Cue.h"
#include "show/DecimalValue.h"

#include <algorithm>
#include <map>
#include <set>

namespace show {

std::vector<SheetSummary> BuildSheetSummaries(const std::vector<show::Cue>& cues)
{
    std::map<std::string, SheetSummary> hosts;
    std::map<std::string, std::set<std::int32_t>> modules;
    for (const show::Cue& cue : cues) {
        SheetSummary& load = hosts[cue.HostName];
        if (load.cues == 0) {
            load.host = cue.HostName;
            load.firstLaunch = load.lastLaunch = cue.BlastTime;
        }
        ++load.cues;
        load.firstLaunch = std::min(load.firstLaunch, cue.BlastTime);
        load.lastLaunch = std::max(load.lastLaunch, cue.BlastTime);
        if (const auto addr = show::DecimalValue(cue.Addr))
            modules[cue.HostName].insert(*addr);
    }
    std::vector<SheetSummary> sheet;
    sheet.reserve(hosts.size());
    for (auto& [name, load] : hosts) {
        const std::set<std::int32_t>& fired = modules[name];
        load.modules.assign(fired.begin(), fired.end());
        sheet.push_back(std::move(load));
    }
    return sheet;
}

} // namespace show
