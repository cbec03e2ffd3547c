#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace show {

// The leading decimal number of a text, the way Addr, Channel and the host
// code are read: leading white space skipped, an optional sign, then digits
// up to the first character that is not one; no digits gives 0 ("12" is 12,
// "7A" is 7, "" is 0). Nothing when the number does not fit 32 bits: a value
// wrapped or clipped would be a different number from the one the user wrote.
std::optional<std::int32_t> DecimalValue(std::string_view text);

} // namespace show
