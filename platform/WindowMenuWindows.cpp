#include "platform/WindowMenu.h"
#include "platform/WindowsText.h"

#include <windows.h>

namespace platform {

void AddSystemMenuItem(std::uintptr_t window, unsigned command, const std::string& caption)
{
    const std::wstring wide = windows::Wide(caption);
    HMENU menu = ::GetSystemMenu(reinterpret_cast<HWND>(window), FALSE);
    if (wide.empty() || !menu)
        return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, command, wide.c_str());
}

bool IsSystemMenuCommand(const void* message, unsigned command)
{
    const MSG* msg = static_cast<const MSG*>(message);
    return msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == static_cast<WPARAM>(command);
}

} // namespace platform
