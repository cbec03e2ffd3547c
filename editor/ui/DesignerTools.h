#pragma once

#include <QObject>
#include <string>

class CVSFlexGrid;
class QMainWindow;

namespace prompt {
class Prompt;
}

namespace editor {

class CTimelineWindow;
class CueFilterBar;
class HostEditHistory;

// The designer's tools on the main window: undo and redo of host names,
// assignment by range, the filter bar, the timeline and the load sheets.
// They add their own menu items and the bar above the grid, and work on the
// grid through the same calls as every other command.
class CDesignerTools final : public QObject
{
    Q_OBJECT

public:
    // `storePath` is the window's current show store path, read when printing.
    CDesignerTools(QMainWindow& window, CVSFlexGrid& grid, prompt::Prompt& prompt,
                   const std::string& storePath);

    HostEditHistory& History() { return *history_; }
    CueFilterBar& FilterBar() { return *filterBar_; }
    // Nothing until "Timeline..." first opens it.
    CTimelineWindow* Timeline() { return timeline_; }

    void AssignByRange();
    void OpenTimeline();
    void PrintLoadSheets();
    void SelectCue(int gridRow);

private:
    void AddMenuItems();

    QMainWindow& window_;
    CVSFlexGrid& grid_;
    prompt::Prompt& prompt_;
    const std::string& storePath_;
    HostEditHistory* history_;
    CueFilterBar* filterBar_;
    CTimelineWindow* timeline_ = nullptr;
};

} // namespace editor
