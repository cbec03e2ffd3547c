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

// Whether every byte of `text` is below 0x80: such a text is the same in GBK
// and in UTF-8, and needs no conversion (most names and every number).
inline bool IsAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace platform
