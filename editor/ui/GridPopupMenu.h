#pragma once

class QMenu;
class QWidget;

namespace editor {

// The grid's right-button menu, "_POP_": "Assigned Host" and "Save...", each
// action carrying its command number as the property "commandId".
QMenu* CreateGridPopupMenu(QWidget* owner);

} // namespace editor
