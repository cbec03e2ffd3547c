#include "ControlCharacters.h"

#include <cstdio>

namespace editor {

namespace {

constexpr unsigned char kDel = 0x7F;
constexpr unsigned char kC1Lead = 0xC2; // UTF-8 lead byte of U+0080..U+00BF

bool IsC0OrDel(unsigned char byte)
{
    return byte < 0x20 || byte == kDel;
}

// Whether a C1 character starts at `at`: 0xC2 then 0x80..0x9F.
bool IsC1At(std::string_view utf8, std::size_t at)
{
    return static_cast<unsigned char>(utf8[at]) == kC1Lead && at + 1 < utf8.size() &&
           static_cast<unsigned char>(utf8[at + 1]) >= 0x80 &&
           static_cast<unsigned char>(utf8[at + 1]) <= 0x9F;
}

} // namespace

bool HasControlCharacter(std::string_view utf8)
{
    for (std::size_t at = 0; at < utf8.size(); ++at)
        if (IsC0OrDel(static_cast<unsigned char>(utf8[at])) || IsC1At(utf8, at))
            return true;
    return false;
}

std::string EscapeControlCharacters(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    char escaped[8];
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        const auto byte = static_cast<unsigned char>(utf8[at]);
        if (IsC0OrDel(byte)) {
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            out += escaped;
        } else if (IsC1At(utf8, at)) {
            ++at;
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(utf8[at]));
            out += escaped;
        } else {
            out += utf8[at];
        }
    }
    return out;
}

} // namespace editor
