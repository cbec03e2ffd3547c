#pragma once

#include <QIcon>

namespace editor {

// The program's icon in every size it is drawn in.
QIcon AppIcon();

} // namespace editor
