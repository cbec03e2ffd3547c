#include "show/HostColours.h"

#include "show/HostNameRules.h"
#include "store/LayoutTable.h"

namespace show {

namespace {

// 24 hues, 15 degrees apart, walked with a stride of 7: one name and the
// next are 105 degrees apart, and every hue is met once in 24 steps.
int HueOf(std::size_t index)
{
    return static_cast<int>(index * 7 % HostColours::kDistinctHues) * 15;
}

bool Plain(const std::string& name)
{
    return name.empty() || name == store::kDefaultHostName;
}

} // namespace

void HostColours::Assign(const std::vector<Cue>& cues)
{
    hues_.clear();
    std::string last; // runs of one name are common: trim once per run
    for (const Cue& cue : cues) {
        if (cue.HostName == last)
            continue;
        last = cue.HostName;
        std::string name = TrimHostName(last);
        if (!Plain(name) && !hues_.contains(name))
            hues_.emplace(std::move(name), HueOf(hues_.size()));
    }
}

std::optional<int> HostColours::Hue(const std::string& host) const
{
    const auto it = hues_.find(host);
    if (it != hues_.end())
        return it->second;
    const auto trimmed = hues_.find(TrimHostName(host));
    if (trimmed == hues_.end())
        return std::nullopt;
    return trimmed->second;
}

} // namespace show
