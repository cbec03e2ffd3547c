#pragma once

#include <QImage>

class QWidget;

// A picture of a top-level window with a plain title bar drawn above it, as a
// window manager would frame it: the virtual display has none, and the title
// (the store's file name, the unsaved marker) is part of what is shown.
QImage WithTitleBar(QWidget& window);
