// Timeline benchmark: "Tools" > "Timeline..." for a show of 100 000 cues on
// 24 host names (offscreen): the timeline built from the show, the window
// shown and painted once; then a zoomed-in and a zoomed-out repaint. Prints
// the figures; exits 1 when opening takes more than a second.
#include "bench/BenchSupport.h"
#include "editor/CueGridLayout.h"
#include "editor/ShowGrid.h"
#include "editor/ui/ShowTableModel.h"
#include "editor/ui/TimelineView.h"
#include "editor/ui/TimelineWindow.h"
#include "show/Cue.h"
#include "show/Show.h"

#include <QApplication>
#include <QPixmap>
#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int kCues = 100000;
constexpr int kHosts = 24;

std::vector<show::Cue> BigShow()
{
    std::vector<show::Cue> cues;
    cues.reserve(kCues);
    for (int i = 0; i < kCues; ++i) {
        show::Cue cue;
        cue.FlowID = i;
        cue.HostName = "H" + std::to_string(i % kHosts);
        cue.BlastTime = i * 36; // one hour
        cue.Addr = std::to_string(1 + (i / kHosts) % 99);
        cue.Channel = std::to_string((i / kHosts / 99) % 32); // some points used twice
        cues.push_back(std::move(cue));
    }
    return cues;
}

double Repaint(editor::CTimelineWindow& window)
{
    const auto start = std::chrono::steady_clock::now();
    (void)window.View().grab();
    return bench::Seconds(start);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    show::Show show;
    editor::ShowGrid grid(show);
    editor::SetUpCueGrid(grid); // the caption row, as the window has it
    show.Replace(BigShow());
    editor::ShowTableModel table(grid);

    const auto start = std::chrono::steady_clock::now();
    editor::CTimelineWindow window(table);
    window.show();
    (void)window.grab(); // laid out and painted once
    const double open = bench::Seconds(start);
    window.View().ZoomBy(200);
    const double zoomedIn = Repaint(window);
    window.View().FitWholeShow();
    const double whole = Repaint(window);

    const bool ok = open <= 1.0;
    std::printf("open the timeline of %d cues on %d hosts %9.3f s  (target <= 1 s) %s\n", kCues,
                kHosts, open, ok ? "ok" : "MISSED");
    std::printf("repaint zoomed in                        %9.3f s\n", zoomedIn);
    std::printf("repaint the whole show                   %9.3f s\n", whole);
    std::printf("marks drawn as errors (points used twice) %d\n",
                window.View().Timeline().doubleUses);
    return ok ? 0 : 1;
}
