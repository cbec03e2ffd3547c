#pragma once

#include "show/Show.h"

#include <QTimer>
#include <QWidget>

class QScrollBar;

namespace editor {

class ShowTableModel;
class TimelineView;

// "Tools" > "Timeline...": the show's cues by host and launch time, with
// buttons to zoom and a scroll bar along the time axis. It follows the show
// while it is open (host names as edited, in the grid's colours); a clicked
// mark is announced as its grid row. Esc closes it.
class CTimelineWindow final : public QWidget
{
    Q_OBJECT

public:
    CTimelineWindow(const ShowTableModel& table, QWidget* parent = nullptr);

    TimelineView& View() { return *view_; }
    // Builds the timeline from the show as it stands now.
    void Refresh();

Q_SIGNALS:
    void CueClicked(int gridRow);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FollowStretch(double start, double span);
    void Follow(const show::Show& show);

    const ShowTableModel& table_;
    TimelineView* view_;
    QScrollBar* scroll_;
    QTimer refresh_; // one rebuild after a burst of changes
    show::Show::Subscription subscription_;
};

} // namespace editor
