#include "editor/ui/TimelineWindow.h"

#include "editor/ui/ShowTableModel.h"
#include "editor/ui/TimelineView.h"
#include "qtcommon/QtText.h"
#include "resources/strings/Strings.h"
#include "show/ShowTimeline.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace editor {

namespace {

QPushButton* Button(const char* text, QWidget* parent)
{
    auto* button = new QPushButton(QStringLiteral("&") + qtcommon::ToQString(text), parent);
    button->setAccessibleName(qtcommon::ToQString(text));
    return button;
}

} // namespace

CTimelineWindow::CTimelineWindow(const ShowTableModel& table, QWidget* parent)
    : QWidget(parent, Qt::Window), table_(table), view_(new TimelineView(this)),
      scroll_(new QScrollBar(Qt::Horizontal, this))
{
    setWindowTitle(qtcommon::ToQString(strings::kTimelineTitle));
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
    scroll_->setAccessibleName(qtcommon::ToQString(strings::kTimelineAccessible));
    connect(zoomIn, &QPushButton::clicked, view_, [this] { view_->ZoomBy(1.5); });
    connect(zoomOut, &QPushButton::clicked, view_, [this] { view_->ZoomBy(1 / 1.5); });
    connect(fit, &QPushButton::clicked, view_, &TimelineView::FitWholeShow);
    connect(view_, &TimelineView::StretchChanged, this, &CTimelineWindow::FollowStretch);
    connect(scroll_, &QScrollBar::valueChanged, view_,
            [this](int value) { view_->SetStart(value); });
    connect(view_, &TimelineView::CueClicked, this, &CTimelineWindow::CueClicked);
    refresh_.setSingleShot(true);
    connect(&refresh_, &QTimer::timeout, this, &CTimelineWindow::Refresh);
    // A new show (the grid follows another one) or new names: rebuilt once
    // the burst is over, and only while the window shows.
    const auto later = [this] {
        if (isVisible() && !refresh_.isActive())
            refresh_.start(0);
    };
    connect(&table_, &QAbstractItemModel::modelReset, this, [this, later] {
        Follow(table_.Show());
        later();
    });
    connect(&table_, &ShowTableModel::ColoursChanged, this, later);
    Follow(table_.Show());
    resize(960, 420);
}

void CTimelineWindow::Follow(const show::Show& show)
{
    subscription_ = show.Subscribe([this](const show::ShowChange& change) {
        if (change.kind != show::ShowChange::kSaved && isVisible() && !refresh_.isActive())
            refresh_.start(0);
    });
}

void CTimelineWindow::Refresh()
{
    refresh_.stop();
    view_->SetTimeline(show::BuildShowTimeline(table_.Show()), table_.Show(), table_.Colours());
}

void CTimelineWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Refresh();
}

void CTimelineWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The scroll bar counts milliseconds: its range is where the stretch's left
// edge can go, its page is the stretch.
void CTimelineWindow::FollowStretch(double start, double span)
{
    const show::ShowTimeline& timeline = view_->Timeline();
    const QSignalBlocker quiet(scroll_);
    const int page = static_cast<int>(std::min(span, 2e9));
    scroll_->setRange(std::min(timeline.first, static_cast<std::int32_t>(start)),
                      std::max(static_cast<int>(start), timeline.last - page));
    scroll_->setPageStep(std::max(1, page));
    scroll_->setSingleStep(std::max(1, page / 10));
    scroll_->setValue(static_cast<int>(start));
}

} // namespace editor
