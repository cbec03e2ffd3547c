#pragma once

// UTF-8 to UTF-16 and back at the Windows calls (Windows sources only).
#include <optional>
#include <string>
#include <string_view>

namespace platform::windows {

// Ill-formed input becomes U+FFFD: for paths and texts the program made.
std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// Nothing when `utf8` is not well-formed UTF-8.
std::optional<std::wstring> StrictWide(std::string_view utf8);

// The system's words for a Windows error code, without the line break.
std::string ErrorText(unsigned long code);

} // namespace platform::windows
