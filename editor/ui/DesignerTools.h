#pragma once

#include "show/Show.h"

#include <QObject>
#include <string>

class CVSFlexGrid;
class QAction;
class QMainWindow;

namespace prompt {
class Prompt;
}

namespace editor {

class CTimelineWindow;
class CueFilterBar;
class HostEditHistory;

// The designer's tools on the main window: undo and redo of host names,
// assignment by range, the filter bar, the timeline and the load sheets. The
// window declares their menu items and runs them; they work on the window's
// show through the grid.
class CDesignerTools final : public QObject
{
    Q_OBJECT

public:
    // The window's Undo and Redo items, which follow the history.
    struct UndoActions
    {
        QAction& undo;
        QAction& redo;
    };

    // `storePath` is the window's current show store path.
    CDesignerTools(QMainWindow& window, CVSFlexGrid& grid, prompt::Prompt& prompt,
                   const std::string& storePath, UndoActions actions);

    HostEditHistory& History() { return *history_; }
    CueFilterBar& FilterBar() { return *filterBar_; }
    // Nothing until "Timeline..." first opens it.
    CTimelineWindow* Timeline() { return timeline_; }

    void AssignByRange();
    void OpenTimeline();
    void PrintLoadSheets();
    void FocusFilter();
    void SelectCue(int gridRow);
    // Selects these cue rows (from 1), showing every cue when the filter
    // hides one of them.
    void SelectCueRows(const std::vector<int>& rows);
    // The same for cues by their place in the show.
    void SelectCues(const std::vector<show::CueIndex>& cues);

private:
    void FollowHistory(UndoActions actions);

    QMainWindow& window_;
    CVSFlexGrid& grid_;
    prompt::Prompt& prompt_;
    const std::string& storePath_;
    HostEditHistory* history_;
    CueFilterBar* filterBar_;
    CTimelineWindow* timeline_ = nullptr;
};

} // namespace editor
