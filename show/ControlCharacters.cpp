#include "show/ControlCharacters.h"

#include <cstdint>
#include <cstdio>

namespace show {

namespace {

struct Character
{
    char32_t code = 0;
    std::size_t length = 1;
    bool valid = false; // a well-formed UTF-8 sequence
};

// The character that starts at `at`; a byte that starts no valid sequence is
// a character of its own.
Character CharacterAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<std::uint8_t>(text[at]);
    if (lead < 0x80)
        return {lead, 1, true};
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return {lead, 1, false};
    }
    if (at + length > text.size())
        return {lead, 1, false};
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<std::uint8_t>(text[at + k]);
        if ((next & 0xC0) != 0x80)
            return {lead, 1, false};
        code = (code << 6) | (next & 0x3F);
    }
    const char32_t lowest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < lowest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {lead, 1, false};
    return {code, length, true};
}

bool IsControl(const Character& c)
{
    return c.code < 0x20 || c.code == 0x7F || (c.code >= 0x80 && c.code <= 0x9F);
}

} // namespace

bool HasControlCharacter(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const Character c = CharacterAt(text, at);
        if (IsControl(c))
            return true;
        at += c.length;
    }
    return false;
}

std::string EscapeControlCharacters(std::string_view text, std::string_view keep)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Character c = CharacterAt(text, at);
        const bool kept = c.code < 0x80 && keep.find(static_cast<char>(c.code)) != keep.npos;
        if ((IsControl(c) || !c.valid) && !kept) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(c.code));
            shown += escaped;
        } else {
            shown.append(text.substr(at, c.length));
        }
        at += c.length;
    }
    return shown;
}

} // namespace show
