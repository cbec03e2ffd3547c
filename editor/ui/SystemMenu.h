#pragma once

class QByteArray;
class QWidget;

namespace editor {

// Adds a separator and the About item (command 16) to the window's system
// menu. Only Windows lets a program do this; elsewhere it does nothing and
// Help > About... is the way to the About box.
void AddAboutToSystemMenu(QWidget& window);

// Whether a native event is the choice of that item.
bool IsAboutSystemCommand(const QByteArray& eventType, void* message);

} // namespace editor
