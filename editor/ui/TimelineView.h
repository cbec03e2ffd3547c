#pragma once

#include "show/HostColours.h"
#include "show/Show.h"
#include "show/ShowTimeline.h"

#include <QWidget>
#include <optional>

namespace editor {

// One lane per host name, one mark per cue at its launch time; marks of a
// firing point used twice in red. Only the visible stretch of time is drawn,
// and marks that fall on one pixel are drawn once, so 100 000 cues paint in
// a few milliseconds. Wheel, +/- and Home zoom; arrows and the wheel with
// Shift scroll; hovering shows a cue; a click picks it.
class TimelineView final : public QWidget
{
    Q_OBJECT

public:
    explicit TimelineView(QWidget* parent = nullptr);

    // The timeline of `show`, its marks in the hosts' colours. The stretch
    // shown stays, unless the whole show was shown: then the new one is.
    void SetTimeline(show::ShowTimeline timeline, const show::Show& show,
                     const show::HostColours& colours);
    const show::ShowTimeline& Timeline() const { return timeline_; }

    void ZoomBy(double factor, std::optional<int> aroundX = std::nullopt);
    void FitWholeShow();
    // The stretch shown: its first millisecond and its length.
    double Start() const { return start_; }
    double Span() const;
    void SetStart(double start);

    // The mark under a point of the widget, if any.
    const show::TimelineMark* MarkAt(QPoint at) const;
    QPoint PointOf(int lane, const show::TimelineMark& mark) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void CueClicked(int gridRow);
    void StretchChanged(double start, double span);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int PlotWidth() const;
    double XOf(std::int32_t launch) const;
    void PaintAxis(class QPainter& painter);
    void PaintLane(QPainter& painter, int lane);

    show::ShowTimeline timeline_;
    const show::Show* show_ = nullptr;
    const show::HostColours* colours_ = nullptr;
    double start_ = 0;        // milliseconds at the left edge of the plot
    double msPerPixel_ = 100; // zoom
    bool fitted_ = true;      // showing the whole show: kept so while the size changes
};

} // namespace editor
