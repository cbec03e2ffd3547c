#include "editor/ui/AppIcon.h"

#include "editor/ui/AppResources.h"

namespace editor {

QIcon AppIcon()
{
    RegisterAppResources();
    QIcon icon;
    for (const int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/tavrin-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace editor
