#include "editor/ShowTimeline.h"

#include "show/Cue.h"
#include "show/DecimalValue.h"
#include "show/HostNameText.h"
#include "show/LaunchTime.h"
#include "store/LayoutTable.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace editor {

namespace {

// A firing point's module or channel: its number as the download sends it,
// its text when it has none.
std::string PointPart(const std::string& text)
{
    const std::optional<std::int32_t> value = show::DecimalValue(text);
    return value ? std::to_string(*value) : "?" + text;
}

} // namespace

ShowTimeline BuildShowTimeline(const FlexGrid& grid)
{
    ShowTimeline timeline;
    std::map<std::string, std::size_t> laneOf;
    std::unordered_map<std::string, int> uses;
    std::vector<std::string> points;
    struct Placed
    {
        std::size_t lane;
        std::size_t mark;
    };
    std::vector<Placed> placed;
    const int rows = grid.GetRowCount();
    for (int row = 1; row < rows; ++row) {
        auto cell = [&](int column) { return grid.QueryCell(kQueryCellText, row, column); };
        const std::string host = show::TrimHostName(cell(show::kColumnHost));
        const auto [at, added] = laneOf.try_emplace(host, timeline.lanes.size());
        if (added)
            timeline.lanes.push_back({host, {}});
        const std::int32_t launch =
            show::ParseLaunchTime(cell(show::kColumnLaunchTime)).value_or(0);
        TimelineLane& lane = timeline.lanes[at->second];
        placed.push_back({at->second, lane.marks.size()});
        std::string module = cell(show::kColumnSla);
        std::string channel = cell(show::kColumnCue);
        std::string point = host + '\x1f' + PointPart(module) + '\x1f' + PointPart(channel);
        lane.marks.push_back({launch, row, false, std::move(module), std::move(channel)});
        ++uses[point];
        points.push_back(std::move(point));
        timeline.first = row == 1 ? launch : std::min(timeline.first, launch);
        timeline.last = row == 1 ? launch : std::max(timeline.last, launch);
    }
    for (std::size_t i = 0; i < placed.size(); ++i)
        if (uses[points[i]] > 1) {
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

} // namespace editor
