#pragma once

#include "editor/ui/ConverterDlg.h"
#include "editor/ui/VSFlexGrid.h"

#include <QApplication>

namespace bench {

// Shows the main window (offscreen) and returns its grid.
inline CVSFlexGrid& ShownGrid(CConverterDlg& window)
{
    window.show();
    QApplication::processEvents();
    return *window.findChild<CVSFlexGrid*>(QStringLiteral("grid"));
}

} // namespace bench
