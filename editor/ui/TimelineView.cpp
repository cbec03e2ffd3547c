#include "editor/ui/TimelineView.h"

#include "qtcommon/QtText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/LaunchTime.h"
#include "store/LayoutTable.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace editor {

namespace {

constexpr int kLabelWidth = 120;
constexpr int kAxisHeight = 22;
constexpr int kLaneHeight = 26;
constexpr int kHitPixels = 4;
constexpr double kMinMsPerPixel = 0.05;

// A step of the time axis of at least `minimum` milliseconds, 1-2-5 stepped.
double AxisStep(double minimum)
{
    double step = 1;
    while (step < minimum)
        for (const double factor : {2.0, 2.5, 2.0})
            if ((step *= factor) >= minimum)
                break;
    return step;
}

} // namespace

TimelineView::TimelineView(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(qtcommon::ToQString(strings::kTimelineAccessible));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize TimelineView::sizeHint() const
{
    const int lanes = std::max<int>(1, static_cast<int>(timeline_.lanes.size()));
    return {900, kAxisHeight + std::min(lanes, 20) * kLaneHeight + 4};
}

void TimelineView::SetTimeline(show::ShowTimeline timeline, const show::Show& show,
                               const show::HostColours& colours)
{
    timeline_ = std::move(timeline);
    show_ = &show;
    colours_ = &colours;
    updateGeometry();
    if (fitted_)
        FitWholeShow();
    else
        update();
}

int TimelineView::PlotWidth() const
{
    return std::max(1, width() - kLabelWidth - 8);
}

double TimelineView::Span() const
{
    return PlotWidth() * msPerPixel_;
}

double TimelineView::XOf(std::int32_t launch) const
{
    return kLabelWidth + (launch - start_) / msPerPixel_;
}

void TimelineView::FitWholeShow()
{
    const double length = std::max(1000.0, double(timeline_.last) - timeline_.first);
    msPerPixel_ = length * 1.02 / PlotWidth();
    start_ = timeline_.first - length * 0.01;
    fitted_ = true;
    update();
    Q_EMIT StretchChanged(start_, Span());
}

void TimelineView::ZoomBy(double factor, std::optional<int> aroundX)
{
    const int x = aroundX.value_or(kLabelWidth + PlotWidth() / 2) - kLabelWidth;
    const double pinned = start_ + x * msPerPixel_;
    msPerPixel_ = std::max(kMinMsPerPixel, msPerPixel_ / factor);
    start_ = pinned - x * msPerPixel_;
    fitted_ = false;
    update();
    Q_EMIT StretchChanged(start_, Span());
}

void TimelineView::SetStart(double start)
{
    if (start == start_)
        return;
    start_ = start;
    fitted_ = false;
    update();
    Q_EMIT StretchChanged(start_, Span());
}

void TimelineView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    PaintAxis(painter);
    for (int lane = 0; lane < static_cast<int>(timeline_.lanes.size()); ++lane)
        PaintLane(painter, lane);
}

void TimelineView::PaintAxis(QPainter& painter)
{
    painter.setPen(palette().color(QPalette::Text));
    const double step = AxisStep(msPerPixel_ * 110);
    for (double t = std::ceil(start_ / step) * step; t < start_ + Span(); t += step) {
        const double x = XOf(static_cast<std::int32_t>(t));
        painter.drawLine(QPointF(x, kAxisHeight - 5), QPointF(x, kAxisHeight));
        painter.drawText(QPointF(x + 2, kAxisHeight - 7),
                         qtcommon::ToQString(show::FormatLaunchTime(static_cast<std::int32_t>(t))));
    }
}

void TimelineView::PaintLane(QPainter& painter, int lane)
{
    const show::TimelineLane& cues = timeline_.lanes[static_cast<std::size_t>(lane)];
    const std::optional<int> hue = colours_ ? colours_->Hue(cues.host) : std::nullopt;
    const int top = kAxisHeight + lane * kLaneHeight;
    painter.fillRect(QRect(0, top, width(), kLaneHeight),
                     lane % 2 ? palette().alternateBase() : palette().base());
    if (hue) // the host's colour in the grid, behind its name
        painter.fillRect(QRect(0, top + 1, kLabelWidth - 4, kLaneHeight - 2),
                         QColor::fromHsv(*hue, 70, 255));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRect(4, top, kLabelWidth - 8, kLaneHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     qtcommon::ToQString(cues.host));
    painter.setClipRect(QRect(kLabelWidth, top, PlotWidth() + 8, kLaneHeight));
    const auto begin = std::lower_bound(
        cues.marks.begin(), cues.marks.end(), static_cast<std::int32_t>(std::floor(start_)),
        [](const show::TimelineMark& mark, std::int32_t t) { return mark.launch < t; });
    const double end = start_ + Span() + msPerPixel_;
    painter.setPen(QPen(hue ? QColor::fromHsv(*hue, 230, 170) : QColor(30, 90, 200), 1));
    int lastX = std::numeric_limits<int>::min();
    std::vector<int> errors;
    for (auto it = begin; it != cues.marks.end() && it->launch <= end; ++it) {
        const int x = static_cast<int>(XOf(it->launch));
        if (it->doubleUse)
            errors.push_back(x);
        if (x == lastX)
            continue; // one line per pixel is all the eye can see
        painter.drawLine(x, top + 5, x, top + kLaneHeight - 5);
        lastX = x;
    }
    painter.setPen(QPen(QColor(220, 20, 20), 3));
    errors.erase(std::unique(errors.begin(), errors.end()), errors.end());
    for (const int x : errors)
        painter.drawLine(x, top + 2, x, top + kLaneHeight - 2);
    painter.setClipping(false);
}

const show::TimelineMark* TimelineView::MarkAt(QPoint at) const
{
    const int lane = (at.y() - kAxisHeight) / kLaneHeight;
    if (at.y() < kAxisHeight || at.x() < kLabelWidth || lane >= int(timeline_.lanes.size()))
        return nullptr;
    const std::vector<show::TimelineMark>& marks = timeline_.lanes[std::size_t(lane)].marks;
    const double t = start_ + (at.x() - kLabelWidth) * msPerPixel_;
    const auto next =
        std::lower_bound(marks.begin(), marks.end(), t,
                         [](const show::TimelineMark& m, double v) { return m.launch < v; });
    const show::TimelineMark* best = nullptr;
    double bestDistance = kHitPixels + 1;
    for (auto it : {next, next == marks.begin() ? marks.end() : std::prev(next)}) {
        if (it == marks.end())
            continue;
        const double distance = std::abs(XOf(it->launch) - at.x());
        if (distance < bestDistance) {
            best = &*it;
            bestDistance = distance;
        }
    }
    return best;
}

QPoint TimelineView::PointOf(int lane, const show::TimelineMark& mark) const
{
    return {static_cast<int>(XOf(mark.launch)), kAxisHeight + lane * kLaneHeight + kLaneHeight / 2};
}

void TimelineView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (event->modifiers() & Qt::ShiftModifier)
        SetStart(start_ - notches * Span() / 10);
    else
        ZoomBy(std::pow(1.25, notches), static_cast<int>(event->position().x()));
    event->accept();
}

void TimelineView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomBy(1.5);
        break;
    case Qt::Key_Minus:
        ZoomBy(1 / 1.5);
        break;
    case Qt::Key_Home:
        FitWholeShow();
        break;
    case Qt::Key_Left:
        SetStart(start_ - Span() / 10);
        break;
    case Qt::Key_Right:
        SetStart(start_ + Span() / 10);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TimelineView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const show::TimelineMark* mark = MarkAt(at);
    if (!mark || !show_) {
        QToolTip::hideText();
        return;
    }
    const std::size_t lane = std::size_t((at.y() - kAxisHeight) / kLaneHeight);
    const show::Cue& cue = (*show_)[mark->cue];
    std::string tip =
        strings::FormatText(strings::kTimelineCueTip, timeline_.lanes[lane].host.c_str(),
                            show::FormatLaunchTime(mark->launch).c_str(), cue.Addr.c_str(),
                            cue.Channel.c_str(), static_cast<int>(mark->cue) + 1);
    if (mark->doubleUse)
        tip += std::string("\n") + strings::kTimelineDoubleUse;
    QToolTip::showText(event->globalPosition().toPoint(), qtcommon::ToQString(tip), this);
}

void TimelineView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (const show::TimelineMark* mark = MarkAt(event->position().toPoint()))
        Q_EMIT CueClicked(static_cast<int>(mark->cue) + 1);
}

void TimelineView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (fitted_)
        FitWholeShow();
    else
        Q_EMIT StretchChanged(start_, Span());
}

} // namespace editor
