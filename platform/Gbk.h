#pragma once

#include <optional>
#include <string>
#include <string_view>

// The hosts read and write text in GBK; the program keeps UTF-8 in memory.
// Both directions are strict: a character with no GBK form, or bytes that are
// not valid in the source encoding, give nothing. A substituted or dropped
// character would put a different name on the host than the one in the show.
// iconv's GBK on POSIX, code page 936 on Windows.
namespace platform {

std::optional<std::string> Utf8ToGbk(std::string_view utf8);
std::optional<std::string> GbkToUtf8(std::string_view gbk);

} // namespace platform
