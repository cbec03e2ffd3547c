#pragma once

#include "editor/ui/ConverterDlg.h"
#include "editor/ui/VSFlexGrid.h"

#include <QApplication>

namespace bench {

// The window's benchmarks draw off screen unless a platform is chosen.
inline void UseOffscreenQtUnlessSet()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Shows the main window (offscreen) and returns its grid.
inline CVSFlexGrid& ShownGrid(CConverterDlg& window)
{
    window.show();
    QApplication::processEvents();
    return *window.findChild<CVSFlexGrid*>(QStringLiteral("grid"));
}

} // namespace bench
