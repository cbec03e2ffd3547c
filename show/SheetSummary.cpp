#include "show/SheetSummary.h"

#include "show/Cue.h"
#include "show/DecimalValue.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace show {

std::size_t SheetSummaryBuilder::HostAt(const std::string& host, std::int32_t first)
{
    auto at = hostAt_.find(std::string_view(host));
    if (at == hostAt_.end()) {
        at = hostAt_.emplace(host, hosts_.size()).first;
        hosts_.emplace_back();
        modules_.emplace_back();
        hosts_.back().host = host;
        hosts_.back().firstLaunch = hosts_.back().lastLaunch = first;
    }
    return at->second;
}

void SheetSummaryBuilder::Add(const show::Cue& cue)
{
    const std::size_t at = HostAt(cue.HostName, cue.BlastTime);
    SheetSummary& load = hosts_[at];
    ++load.cues;
    load.firstLaunch = std::min(load.firstLaunch, cue.BlastTime);
    load.lastLaunch = std::max(load.lastLaunch, cue.BlastTime);
    auto number = moduleNumbers_.find(std::string_view(cue.Addr));
    if (number == moduleNumbers_.end())
        number = moduleNumbers_.emplace(cue.Addr, show::DecimalValue(cue.Addr)).first;
    if (number->second)
        modules_[at].push_back(*number->second);
}

void SheetSummaryBuilder::Merge(SheetSummaryBuilder&& other)
{
    for (std::size_t h = 0; h < other.hosts_.size(); ++h) {
        const SheetSummary& theirs = other.hosts_[h];
        const std::size_t at = HostAt(theirs.host, theirs.firstLaunch);
        SheetSummary& load = hosts_[at];
        load.cues += theirs.cues;
        load.firstLaunch = std::min(load.firstLaunch, theirs.firstLaunch);
        load.lastLaunch = std::max(load.lastLaunch, theirs.lastLaunch);
        modules_[at].insert(modules_[at].end(), other.modules_[h].begin(), other.modules_[h].end());
    }
    other = SheetSummaryBuilder();
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
