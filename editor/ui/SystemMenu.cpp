#include "editor/ui/SystemMenu.h"

// Window managers outside Windows keep the window menu to themselves.
namespace editor {

void AddAboutToSystemMenu(QWidget& /*window*/) {}

bool IsAboutSystemCommand(const QByteArray& /*eventType*/, void* /*message*/)
{
    return false;
}

} // namespace editor
