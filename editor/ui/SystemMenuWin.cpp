#include "editor/CommandIds.h"
#include "editor/ui/SystemMenu.h"
#include "resources/strings/Strings.h"

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <string>
#include <windows.h>

namespace editor {

void AddAboutToSystemMenu(QWidget& window)
{
    const std::wstring caption = QString::fromUtf8(strings::kAboutMenuItem).toStdWString();
    if (caption.empty())
        return;
    HMENU menu = ::GetSystemMenu(reinterpret_cast<HWND>(window.winId()), FALSE);
    if (!menu)
        return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, kCmdAboutBox, caption.c_str());
}

bool IsAboutSystemCommand(const QByteArray& eventType, void* message)
{
    if (eventType != "windows_generic_MSG")
        return false;
    const MSG* msg = static_cast<const MSG*>(message);
    return msg->message == WM_SYSCOMMAND &&
           (msg->wParam & 0xFFF0) == static_cast<WPARAM>(kCmdAboutBox);
}

} // namespace editor
