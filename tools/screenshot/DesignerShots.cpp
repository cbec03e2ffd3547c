#include "tools/screenshot/DesignerShots.h"

#include "editor/print/LoadSheetPdf.h"
#include "editor/ui/ConverterDlg.h"
#include "editor/ui/DesignerTools.h"
#include "editor/ui/TimelineWindow.h"
#include "show/LoadSheet.h"
#include "show/ShowReader.h"
#include "tools/screenshot/DemoShow.h"

#include <QAction>
#include <QApplication>
#include <QPixmap>
#include <cstdio>

int ShootTimeline(const std::string& store, const QString& output)
{
    prompt::FixedFilePrompt prompt(store);
    CConverterDlg window(prompt);
    if (!OpenDemoShow(window, prompt))
        return 1;
    window.findChild<QAction*>(QStringLiteral("actionTimeline"))->trigger();
    editor::CTimelineWindow* timeline = window.DesignerTools().Timeline();
    timeline->resize(900, 230);
    for (int pass = 0; pass < 10; ++pass)
        QApplication::processEvents();
    if (!timeline->grab().save(output)) {
        std::fprintf(stderr, "tavrin-screenshot: cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}

int WriteDemoLoadSheets(const std::string& store, const QString& output)
{
    std::vector<show::Cue> cues;
    try {
        cues = show::ReadShowFile(store);
    } catch (const show::Failure&) {
        std::fprintf(stderr, "tavrin-screenshot: cannot read %s\n", store.c_str());
        return 1;
    }
    const auto demoCode = [](const std::string& host) {
        return host == "北岸-1" ? std::optional<int>(5) : std::nullopt;
    };
    try {
        show::OutputFile file(output.toStdString(), {});
        editor::WriteLoadSheetsPdf(file, show::BuildLoadSheets(cues, demoCode), "demo.db");
    } catch (const show::Failure&) {
        std::fprintf(stderr, "tavrin-screenshot: cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
