#pragma once

#include "show/Cue.h"
#include "show/Show.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace show {

// Inclusive, first <= last.
struct NumberRange
{
    std::int32_t first = 0;
    std::int32_t last = 0;
};

// Which cues a designer means: every criterion given must hold (an empty rule
// matches every cue). Modules and channels are the "Sla" and "Cue" texts read
// as the download reads them; times are inclusive milliseconds; the current
// host is compared with the trimmed host name, as Save would store it.
struct CueRule
{
    std::optional<NumberRange> modules;
    std::optional<NumberRange> channels;
    std::optional<std::int32_t> from;
    std::optional<std::int32_t> to;
    std::optional<std::int32_t> event;
    std::optional<std::string> currentHost;

    bool Empty() const { return !modules && !channels && !from && !to && !event && !currentHost; }
};

// "A-B" or "A", each an integer with an optional sign ("-1-5" is -1 to 5).
// Nothing for any other text or a reversed range.
std::optional<NumberRange> ParseNumberRange(std::string_view text);
// A whole text that is one 32-bit integer.
std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

bool CueMatches(const Cue& cue, const CueRule& rule);
// The matching cues of the show, in store order.
std::vector<CueIndex> MatchingCues(const Show& show, const CueRule& rule);

} // namespace show
