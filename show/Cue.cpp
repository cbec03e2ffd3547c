#include "show/Cue.h"

#include "show/LaunchTime.h"

namespace show {

std::array<std::string, kCueColumnCount> CueCellTexts(const Cue& cue)
{
    return {std::to_string(cue.FlowID),
            cue.HostName,
            FormatLaunchTime(cue.BlastTime),
            std::to_string(cue.Sector),
            std::to_string(cue.CDCode),
            cue.Addr,
            cue.Channel,
            std::string()};
}

} // namespace show
