#include "show/CueRule.h"

#include "show/DecimalValue.h"
#include "show/HostNameRules.h"

#include <charconv>

namespace show {

namespace {

std::optional<std::int32_t> SignedNumber(std::string_view text, std::size_t& used)
{
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at == text.data())
        return std::nullopt;
    used = static_cast<std::size_t>(at - text.data());
    return value;
}

bool Within(const std::optional<NumberRange>& range, std::string_view text)
{
    if (!range)
        return true;
    const std::optional<std::int32_t> value = DecimalValue(text);
    return value && *value >= range->first && *value <= range->last;
}

} // namespace

std::optional<std::int32_t> ParseWholeNumber(std::string_view text)
{
    std::size_t used = 0;
    const std::optional<std::int32_t> value = SignedNumber(text, used);
    if (!value || used != text.size())
        return std::nullopt;
    return value;
}

std::optional<NumberRange> ParseNumberRange(std::string_view text)
{
    std::size_t used = 0;
    const std::optional<std::int32_t> first = SignedNumber(text, used);
    if (!first)
        return std::nullopt;
    if (used == text.size())
        return NumberRange{*first, *first};
    if (text[used] != '-')
        return std::nullopt;
    const std::optional<std::int32_t> last = ParseWholeNumber(text.substr(used + 1));
    if (!last || *last < *first)
        return std::nullopt;
    return NumberRange{*first, *last};
}

bool CueMatches(const Cue& cue, const CueRule& rule)
{
    if (!Within(rule.modules, cue.Addr) || !Within(rule.channels, cue.Channel))
        return false;
    if ((rule.from && cue.BlastTime < *rule.from) || (rule.to && cue.BlastTime > *rule.to))
        return false;
    if (rule.event && cue.CDCode != *rule.event)
        return false;
    return !rule.currentHost || TrimHostName(cue.HostName) == TrimHostName(*rule.currentHost);
}

std::vector<CueIndex> MatchingCues(const Show& show, const CueRule& rule)
{
    std::vector<CueIndex> cues;
    for (CueIndex cue = 0; cue < show.Size(); ++cue)
        if (CueMatches(show[cue], rule))
            cues.push_back(cue);
    return cues;
}

} // namespace show
