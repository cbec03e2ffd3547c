#pragma once

#include <string>
#include <string_view>

namespace show {

// True when the text holds a control character: C0 (U+0000..U+001F), DEL
// (U+007F) or C1 (U+0080..U+009F), also as a lone byte that is not UTF-8.
// Such a name would break lines and columns, or steer the terminal it is
// printed on.
bool HasControlCharacter(std::string_view text);

// The text as a terminal may show it: every control character, and every byte
// that is not UTF-8, written as \xNN; `keep` names the ones left as they are
// (a message's line breaks). The rest passes unchanged.
std::string EscapeControlCharacters(std::string_view text, std::string_view keep = {});

} // namespace show
