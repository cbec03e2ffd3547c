// Shows the main window with a demo show opened through "Corvane Database"
// and saves a picture of the window: tavrin-screenshot OUTPUT.png
// The host dialogs instead: tavrin-screenshot download|host-settings OUTPUT.png
// The timeline: tavrin-screenshot timeline OUTPUT.png; the load sheets as a
// PDF: tavrin-screenshot load-sheet OUTPUT.pdf
#include "editor/ui/ConverterDlg.h"
#include "editor/ui/VSFlexGrid.h"
#include "prompt/FixedFilePrompt.h"
#include "tools/screenshot/DemoShow.h"
#include "tools/screenshot/DesignerShots.h"
#include "tools/screenshot/HostDialogShots.h"
#include "tools/screenshot/TitleBar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::string shot = argc == 3 ? argv[1] : "main";
    if ((argc != 2 && argc != 3) ||
        (shot != "main" && shot != "rehearsal" && shot != "download" && shot != "host-settings" &&
         shot != "timeline" && shot != "load-sheet")) {
        std::fprintf(stderr,
                     "usage: tavrin-screenshot "
                     "[main|rehearsal|download|host-settings|timeline|load-sheet] OUTPUT\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[argc - 1]);
    QTemporaryDir folder;
    // As a file chooser gives it: in the system's own separators.
    const std::string store =
        QDir::toNativeSeparators(QDir(folder.path()).filePath(QStringLiteral("demo.db")))
            .toStdString();
    try {
        WriteDemoShow(store);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tavrin-screenshot: %s\n", error.what());
        return 1;
    }

    if (shot == "download")
        return ShootDownloadDialog(store, output);
    if (shot == "host-settings")
        return ShootHostSettingsDialog(store, output);
    if (shot == "timeline")
        return ShootTimeline(store, output);
    if (shot == "load-sheet")
        return WriteDemoLoadSheets(store, output);

    prompt::FixedFilePrompt prompt(store);
    CConverterDlg window(prompt);
    if (!OpenDemoShow(window, prompt))
        return 1;
    // The same window in a rehearsal: its title and status bar say where the
    // hosts are.
    if (shot == "rehearsal")
        window.SetRehearsal(true);

    // A few cues just assigned a host and still selected, not saved yet: the
    // title and the status bar show it.
    auto* grid = window.findChild<CVSFlexGrid*>(QStringLiteral("grid"));
    grid->selectRow(11);
    grid->setSelectionMode(QAbstractItemView::MultiSelection);
    grid->selectRow(12);
    grid->selectRow(13);
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (int row = 12; row <= 14; ++row)
        grid->SetCellText(row, 1, "North-1");
    for (int pass = 0; pass < 10; ++pass)
        QApplication::processEvents();

    if (!WithTitleBar(window).save(output)) {
        std::fprintf(stderr, "tavrin-screenshot: cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
