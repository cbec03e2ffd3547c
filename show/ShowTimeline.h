#pragma once

#include "show/Show.h"

#include <cstdint>
#include <string>
#include <vector>

namespace show {

// One cue on the timeline.
struct TimelineMark
{
    std::int32_t launch = 0; // milliseconds
    CueIndex cue = 0;
    bool doubleUse = false; // its firing point (host, module, channel) fires twice or more
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

// The timeline of the show as it stands (host names as edited, not as saved).
ShowTimeline BuildShowTimeline(const Show& show);

} // namespace show
