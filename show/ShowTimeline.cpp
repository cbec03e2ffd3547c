#include "show/ShowTimeline.h"

#include "show/FiringPoint.h"
#include "show/HostNameRules.h"

#include <algorithm>
#include <map>

namespace show {

ShowTimeline BuildShowTimeline(const Show& show)
{
    ShowTimeline timeline;
    std::map<std::string, std::size_t> laneOf;
    std::map<FiringPoint, int> uses;
    std::vector<std::optional<FiringPoint>> points;
    points.reserve(show.Size());
    struct Placed
    {
        std::size_t lane;
        std::size_t mark;
    };
    std::vector<Placed> placed;
    placed.reserve(show.Size());
    for (CueIndex index = 0; index < show.Size(); ++index) {
        const Cue& cue = show[index];
        const auto [at, added] = laneOf.try_emplace(TrimHostName(cue.HostName), 0);
        if (added) {
            at->second = timeline.lanes.size();
            timeline.lanes.push_back({at->first, {}});
        }
        TimelineLane& lane = timeline.lanes[at->second];
        placed.push_back({at->second, lane.marks.size()});
        lane.marks.push_back({cue.BlastTime, index, false});
        points.push_back(FiringPointOf(cue));
        if (points.back())
            ++uses[*points.back()];
        timeline.first = index == 0 ? cue.BlastTime : std::min(timeline.first, cue.BlastTime);
        timeline.last = index == 0 ? cue.BlastTime : std::max(timeline.last, cue.BlastTime);
    }
    for (std::size_t i = 0; i < placed.size(); ++i)
        if (points[i] && uses[*points[i]] > 1) {
            timeline.lanes[placed[i].lane].marks[placed[i].mark].doubleUse = true;
            ++timeline.doubleUses;
        }
    for (TimelineLane& lane : timeline.lanes)
        std::stable_sort(
            lane.marks.begin(), lane.marks.end(),
            [](const TimelineMark& a, const TimelineMark& b) { return a.launch < b.launch; });
    std::sort(timeline.lanes.begin(), timeline.lanes.end(),
              [](const TimelineLane& a, const TimelineLane& b) { return a.host < b.host; });
    return timeline;
}

} // namespace show
