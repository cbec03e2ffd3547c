#include "editor/ui/SystemMenu.h"

#include "editor/CommandIds.h"
#include "platform/WindowMenu.h"
#include "resources/strings/Strings.h"

#include <QByteArray>
#include <QWidget>

namespace editor {

void AddAboutToSystemMenu(QWidget& window)
{
    platform::AddSystemMenuItem(static_cast<std::uintptr_t>(window.winId()), kCmdAboutBox,
                                strings::kAboutMenuItem);
}

bool IsAboutSystemCommand(const QByteArray& eventType, void* message)
{
    // Qt names Windows' own messages so; no other system has them.
    return eventType == "windows_generic_MSG" &&
           platform::IsSystemMenuCommand(message, kCmdAboutBox);
}

} // namespace editor
