#pragma once

#include <QWidget>

class QScrollBar;

namespace editor {

class FlexGrid;
class TimelineView;

// "Tools" > "Timeline...": the show's cues by host and launch time, with
// buttons to zoom and a scroll bar along the time axis. It shows the grid as
// it stands when opened (Refresh); a clicked mark is announced as its grid
// row.
class CTimelineWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit CTimelineWindow(QWidget* parent = nullptr);

    void Refresh(const FlexGrid& grid);
    TimelineView& View() { return *view_; }

Q_SIGNALS:
    void CueClicked(int gridRow);

private:
    void FollowStretch(double start, double span);

    TimelineView* view_;
    QScrollBar* scroll_;
};

} // namespace editor
