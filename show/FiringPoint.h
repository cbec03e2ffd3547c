#pragma once

#include "show/Cue.h"

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace show {

// Where a cue fires: the host that fires it (its name as stored), the module
// and the channel, as the numbers a host gets for them ("05" and "5" are one
// module). Two cues on one firing point would fire one pin twice.
struct FiringPoint
{
    std::string host;
    std::int32_t module = 0;
    std::int32_t channel = 0;

    auto operator<=>(const FiringPoint&) const = default;
};

// Nothing for a cue whose module or channel gives no 32-bit number: it is no
// point on a host (the show check reports it).
std::optional<FiringPoint> FiringPointOf(const Cue& cue);

} // namespace show
