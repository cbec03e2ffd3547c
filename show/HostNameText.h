#pragma once

#include <cstddef>
#include <string>

namespace show {

// A host name fills at most the 64 bytes of a frame's name field, in GBK.
inline constexpr std::size_t kHostNameMaxBytes = 64;

// A host name as it is stored: without blanks, tabs, line breaks, vertical
// tabs or form feeds at either end.
std::string TrimHostName(const std::string& text);

} // namespace show
