#include "editor/ui/TimelineWindow.h"

#include "editor/ShowTimeline.h"
#include "editor/ui/TimelineView.h"
#include "qtcommon/QtText.h"
#include "resources/strings/Strings.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace editor {

namespace {

QPushButton* Button(const char* text, QWidget* parent)
{
    auto* button = new QPushButton(QStringLiteral("&") + ToQString(text), parent);
    button->setAccessibleName(ToQString(text));
    return button;
}

} // namespace

CTimelineWindow::CTimelineWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), view_(new TimelineView(this)),
      scroll_(new QScrollBar(Qt::Horizontal, this))
{
    setWindowTitle(ToQString(strings::kTimelineTitle));
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    QPushButton* zoomIn = Button(strings::kTimelineZoomIn, this);
    QPushButton* zoomOut = Button(strings::kTimelineZoomOut, this);
    QPushButton* fit = Button(strings::kTimelineFit, this);
    buttons->addWidget(zoomIn);
    buttons->addWidget(zoomOut);
    buttons->addWidget(fit);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addWidget(view_, 1);
    layout->addWidget(scroll_);
    scroll_->setAccessibleName(ToQString(strings::kTimelineAccessible));
    connect(zoomIn, &QPushButton::clicked, view_, [this] { view_->ZoomBy(1.5); });
    connect(zoomOut, &QPushButton::clicked, view_, [this] { view_->ZoomBy(1 / 1.5); });
    connect(fit, &QPushButton::clicked, view_, &TimelineView::FitWholeShow);
    connect(view_, &TimelineView::StretchChanged, this, &CTimelineWindow::FollowStretch);
    connect(scroll_, &QScrollBar::valueChanged, view_,
            [this](int value) { view_->SetStart(value); });
    connect(view_, &TimelineView::CueClicked, this, &CTimelineWindow::CueClicked);
    resize(960, 420);
}

void CTimelineWindow::Refresh(const FlexGrid& grid)
{
    view_->SetTimeline(BuildShowTimeline(grid));
}

// The scroll bar counts milliseconds: its range is where the stretch's left
// edge can go, its page is the stretch.
void CTimelineWindow::FollowStretch(double start, double span)
{
    const ShowTimeline& timeline = view_->Timeline();
    const QSignalBlocker quiet(scroll_);
    const int page = static_cast<int>(std::min(span, 2e9));
    scroll_->setRange(std::min(timeline.first, static_cast<std::int32_t>(start)),
                      std::max(static_cast<int>(start), timeline.last - page));
    scroll_->setPageStep(std::max(1, page));
    scroll_->setSingleStep(std::max(1, page / 10));
    scroll_->setValue(static_cast<int>(start));
}

} // namespace editor
