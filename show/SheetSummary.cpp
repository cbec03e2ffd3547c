#include "show/SheetSummary.h"

#include "show/Cue.h"
#include "show/DecimalValue.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace show {

std::vector<SheetSummary> BuildSheetSummaries(const std::vector<show::Cue>& cues)
{
    // A field's show has a quarter of a million cues on a few hundred hosts
    // and fewer module texts: each is looked up by its text once.
    std::unordered_map<std::string_view, std::size_t> hostAt;
    std::vector<SheetSummary> hosts;
    std::vector<std::vector<std::int32_t>> modules;
    std::unordered_map<std::string_view, std::optional<std::int32_t>> moduleNumbers;
    for (const show::Cue& cue : cues) {
        const auto [at, added] = hostAt.try_emplace(cue.HostName, hosts.size());
        if (added) {
            hosts.emplace_back();
            modules.emplace_back();
            hosts.back().host = cue.HostName;
            hosts.back().firstLaunch = hosts.back().lastLaunch = cue.BlastTime;
        }
        SheetSummary& load = hosts[at->second];
        ++load.cues;
        load.firstLaunch = std::min(load.firstLaunch, cue.BlastTime);
        load.lastLaunch = std::max(load.lastLaunch, cue.BlastTime);
        auto number = moduleNumbers.find(cue.Addr);
        if (number == moduleNumbers.end())
            number = moduleNumbers.emplace(cue.Addr, show::DecimalValue(cue.Addr)).first;
        if (number->second)
            modules[at->second].push_back(*number->second);
    }
    for (std::size_t h = 0; h < hosts.size(); ++h) {
        std::vector<std::int32_t>& fired = modules[h];
        std::sort(fired.begin(), fired.end());
        fired.erase(std::unique(fired.begin(), fired.end()), fired.end());
        hosts[h].modules = std::move(fired);
    }
    // By host name, as a sorted map would give them.
    std::sort(hosts.begin(), hosts.end(),
              [](const SheetSummary& a, const SheetSummary& b) { return a.host < b.host; });
    return hosts;
}

} // namespace show
