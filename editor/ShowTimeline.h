#pragma once

#include "editor/FlexGrid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace editor {

// One cue on the timeline.
struct TimelineMark
{
    std::int32_t launch = 0; // milliseconds
    int row = 0;             // its grid row
    bool doubleUse = false;  // its firing point (host, module, channel) fires twice or more
    std::string module;      // the "Sla" and "Cue" texts
    std::string channel;
};

// The cues of one host name, by launch time.
struct TimelineLane
{
    std::string host;
    std::vector<TimelineMark> marks;
};

struct ShowTimeline
{
    std::vector<TimelineLane> lanes; // by host name
    std::int32_t first = 0;          // earliest and latest launch time of the show
    std::int32_t last = 0;
    int doubleUses = 0; // marks drawn as errors
};

// The timeline of the grid as it stands (host names as edited, not as
// saved). A launch time that is not a time text puts its cue at 0.
ShowTimeline BuildShowTimeline(const FlexGrid& grid);

} // namespace editor
