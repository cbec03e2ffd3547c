#pragma once

#include "editor/ui/ConverterDlg.h"
#include "editor/ui/VSFlexGrid.h"
#include "prompt/FixedFilePrompt.h"

#include <QApplication>
#include <string>

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

// The main window shown off screen (unless a platform is chosen) over a
// prompt that answers every file question with `path`.
struct ShownWindow
{
    struct Offscreen
    {
        Offscreen() { UseOffscreenQtUnlessSet(); }
    };

    ShownWindow(int& argc, char** argv, const std::string& path)
        : app(argc, argv), prompt(path), window(prompt), grid(ShownGrid(window))
    {
    }

    Offscreen offscreen; // before the application is made
    QApplication app;
    prompt::FixedFilePrompt prompt;
    CConverterDlg window;
    CVSFlexGrid& grid;
};

} // namespace bench
