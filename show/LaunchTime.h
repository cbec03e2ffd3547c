#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace show {

// "MM:SS.fff" below an hour, "HH:MM:SS.fff" from an hour on; a negative time
// is its magnitude with a minus sign before it ("-00:00.001").
std::string FormatLaunchTime(std::int32_t milliseconds);

// The milliseconds of a launch-time text as the grid writes it: "MM:SS.fff"
// or "H:MM:SS.fff" (01:05.432, 01:02:03.004), a negative time with its sign
// before it (-00:01.500), and the short form with signed parts that earlier
// versions wrote (00:-1.-500). Nothing for any other text, for minutes or
// seconds past 59, and for a time past 32 bits.
std::optional<std::int32_t> ParseLaunchTime(std::string_view text);

} // namespace show
