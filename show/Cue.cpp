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

std::string CueCellText(const Cue& cue, int column)
{
    switch (column) {
    case kColumnSequence:
        return std::to_string(cue.FlowID);
    case kColumnHost:
        return cue.HostName;
    case kColumnLaunchTime:
        return FormatLaunchTime(cue.BlastTime);
    case kColumnOffset:
        return std::to_string(cue.Sector);
    case kColumnEvent:
        return std::to_string(cue.CDCode);
    case kColumnSla:
        return cue.Addr;
    case kColumnCue:
        return cue.Channel;
    default:
        return {};
    }
}

} // namespace show
