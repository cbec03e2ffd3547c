#include "tools/virtual-host/PositionSequence.h"

#include "hostlink/FrameLayout.h"

namespace hostlink {

std::string PositionSequence::Check(int position) const
{
    if (position == kFirstCue)
        return {};
    if (position == kMiddleCue || position == kLastCue)
        return open_
                   ? std::string()
                   : "position code " + std::to_string(position) + " without a first cue before it";
    return "position code " + std::to_string(position);
}

void PositionSequence::Accept(int position)
{
    open_ = position == kFirstCue || position == kMiddleCue;
}

} // namespace hostlink
