#include "show/LaunchTime.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace show {

std::string FormatLaunchTime(std::int32_t t)
{
    // A negative time is its magnitude with a sign in front: signed parts
    // ("00:-1.-500") read as nothing a designer would write. In 64 bits, as
    // the lowest 32-bit time has no 32-bit magnitude.
    const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(t));
    const long long hours = magnitude / 3600000;
    const long long rest = magnitude % 3600000;
    const long long minutes = rest / 60000;
    const long long seconds = rest % 60000 / 1000;
    const long long millis = rest % 1000;
    const char* sign = t < 0 ? "-" : "";
    char buf[48];
    if (hours >= 1)
        std::snprintf(buf, sizeof buf, "%s%02lld:%02lld:%02lld.%03lld", sign, hours, minutes,
                      seconds, millis);
    else
        std::snprintf(buf, sizeof buf, "%s%02lld:%02lld.%03lld", sign, minutes, seconds, millis);
    return buf;
}

namespace {

std::optional<std::int64_t> Component(std::string_view text, std::int64_t limit)
{
    if (text.empty() || text.size() > 12)
        return std::nullopt;
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end || std::llabs(value) > limit)
        return std::nullopt;
    return value;
}

// The milliseconds of the text without a leading sign, in 64 bits.
std::optional<std::int64_t> Milliseconds(std::string_view text)
{
    const std::size_t dot = text.rfind('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    const std::optional<std::int64_t> fraction = Component(text.substr(dot + 1), 999);
    std::vector<std::string_view> fields;
    std::string_view rest = text.substr(0, dot);
    for (std::size_t colon; (colon = rest.find(':')) != std::string_view::npos;) {
        fields.push_back(rest.substr(0, colon));
        rest.remove_prefix(colon + 1);
    }
    fields.push_back(rest);
    if (!fraction || fields.size() < 2 || fields.size() > 3)
        return std::nullopt;
    const bool long_form = fields.size() == 3;
    const std::optional<std::int64_t> hours =
        long_form ? Component(fields[0], std::numeric_limits<std::int32_t>::max()) : 0;
    const std::optional<std::int64_t> minutes = Component(fields[long_form ? 1 : 0], 59);
    const std::optional<std::int64_t> seconds = Component(fields[long_form ? 2 : 1], 59);
    if (!hours || !minutes || !seconds)
        return std::nullopt;
    return ((*hours * 60 + *minutes) * 60 + *seconds) * 1000 + *fraction;
}

} // namespace

std::optional<std::int32_t> ParseLaunchTime(std::string_view text)
{
    // "-00:01.500", as a negative time is written: the time after the sign,
    // which must itself carry none.
    const bool negative =
        text.size() > 1 && text.front() == '-' && text[1] >= '0' && text[1] <= '9';
    if (negative && text.find('-', 1) != std::string_view::npos)
        return std::nullopt;
    const std::optional<std::int64_t> magnitude = Milliseconds(negative ? text.substr(1) : text);
    if (!magnitude)
        return std::nullopt;
    const std::int64_t total = negative ? -*magnitude : *magnitude;
    if (total < std::numeric_limits<std::int32_t>::min() ||
        total > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(total);
}

} // namespace show
