#pragma once

#include <string>
#include <string_view>

namespace editor {

// Whether a UTF-8 text holds a control character: C0 (U+0000..U+001F), DEL
// (U+007F) or C1 (U+0080..U+009F). Such a name reaches terminals and hosts
// raw, where it can move the cursor, clear a screen or split a line.
bool HasControlCharacter(std::string_view utf8);

// The text with each control character written out, "\x1b" for C0 and DEL,
// "\u0085" for C1, so that it can be shown where it would act.
std::string EscapeControlCharacters(std::string_view utf8);

} // namespace editor
