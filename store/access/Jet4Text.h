#pragma once

#include <string>
#include <string_view>

namespace jet {

// A Jet 4 text as stored: UTF-16LE, or "compressed" (a 0xFF 0xFE mark, then
// runs of one-byte characters and of UTF-16LE units, switched by a 0 byte).
// Returns UTF-8; a unit that is no character (a lone surrogate) becomes
// U+FFFD, and an odd last byte is dropped.
std::string Jet4TextToUtf8(std::string_view stored);

} // namespace jet
