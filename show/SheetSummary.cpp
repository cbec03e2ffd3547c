#include "show/SheetSummary.h"

#include "show/Cue.h"
#include "show/DecimalValue.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace show {

void SheetSummaryBuilder::Add(const show::Cue& cue)
{
    auto at = hostAt_.find(std::string_view(cue.HostName));
    if (at == hostAt_.end()) {
        at = hostAt_.emplace(cue.HostName, hosts_.size()).first;
        hosts_.emplace_back();
        modules_.emplace_back();
        hosts_.back().host = cue.HostName;
        hosts_.back().firstLaunch = hosts_.back().lastLaunch = cue.BlastTime;
    }
    SheetSummary& load = hosts_[at->second];
    ++load.cues;
    load.firstLaunch = std::min(load.firstLaunch, cue.BlastTime);
    load.lastLaunch = std::max(load.lastLaunch, cue.BlastTime);
    auto number = moduleNumbers_.find(std::string_view(cue.Addr));
    if (number == moduleNumbers_.end())
        number = moduleNumbers_.emplace(cue.Addr, show::DecimalValue(cue.Addr)).first;
    if (number->second)
        modules_[at->second].push_back(*number->second);
}

std::vector<SheetSummary> SheetSummaryBuilder::Finish()
{
    for (std::size_t h = 0; h < hosts_.size(); ++h) {
        std::vector<std::int32_t>& fired = modules_[h];
        std::sort(fired.begin(), fired.end());
        fired.erase(std::unique(fired.begin(), fired.end()), fired.end());
        hosts_[h].modules = std::move(fired);
    }
    // By host name, as a sorted map would give them.
    std::sort(hosts_.begin(), hosts_.end(),
              [](const SheetSummary& a, const SheetSummary& b) { return a.host < b.host; });
    std::vector<SheetSummary> hosts = std::move(hosts_);
    hostAt_.clear();
    hosts_.clear();
    modules_.clear();
    moduleNumbers_.clear();
    return hosts;
}

std::vector<SheetSummary> BuildSheetSummaries(const std::vector<show::Cue>& cues)
{
    SheetSummaryBuilder builder;
    for (const show::Cue& cue : cues)
        builder.Add(cue);
    return builder.Finish();
}

} // namespace show
