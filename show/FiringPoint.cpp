#include "show/FiringPoint.h"

#include "show/DecimalValue.h"
#include "show/HostNameRules.h"

namespace show {

std::optional<FiringPoint> FiringPointOf(const Cue& cue)
{
    const std::optional<std::int32_t> module = DecimalValue(cue.Addr);
    const std::optional<std::int32_t> channel = DecimalValue(cue.Channel);
    if (!module || !channel)
        return std::nullopt;
    return FiringPoint{TrimHostName(cue.HostName), *module, *channel};
}

} // namespace show
