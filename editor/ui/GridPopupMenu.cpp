#include "editor/ui/GridPopupMenu.h"

#include "editor/CommandIds.h"
#include "qtcommon/QtText.h"
#include "resources/strings/Strings.h"

#include <QMenu>

namespace editor {

namespace {

// The item's caption with its first letter as the mnemonic.
QString WithMnemonic(const char* caption)
{
    return QLatin1Char('&') + qtcommon::ToQString(caption);
}

} // namespace

QMenu* CreateGridPopupMenu(QWidget* owner)
{
    auto* menu = new QMenu(qtcommon::ToQString(strings::kPopupMenu), owner);
    menu->setObjectName(QStringLiteral("popupMenu"));
    QAction* assign = menu->addAction(WithMnemonic(strings::kPopupAssignedHost));
    assign->setObjectName(QStringLiteral("actionPopupAssignedHost"));
    assign->setProperty("commandId", static_cast<int>(kCmdPopupAssignedHost));
    QAction* save = menu->addAction(WithMnemonic(strings::kPopupSave));
    save->setObjectName(QStringLiteral("actionPopupSave"));
    save->setProperty("commandId", static_cast<int>(kCmdPopupSave));
    return menu;
}

} // namespace editor
