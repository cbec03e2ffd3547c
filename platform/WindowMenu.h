#pragma once

#include <cstdint>
#include <string>

// The window menu the system draws for a top-level window. Only Windows lets
// a program add to it; elsewhere the window manager keeps it to itself and
// these do nothing.
namespace platform {

// Adds a separator and then the item `command` with `caption` (UTF-8) at the
// end of the system menu of the native window `window`.
void AddSystemMenuItem(std::uintptr_t window, unsigned command, const std::string& caption);

// Whether a native message (Windows' MSG) is the choice of item `command`
// from a system menu.
bool IsSystemMenuCommand(const void* message, unsigned command);

} // namespace platform
