#include "editor/ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace editor {

namespace {

const QString kGeometry = QStringLiteral("MainWindow/geometry");
const QString kMaximized = QStringLiteral("MainWindow/maximized");

QList<QRect> AvailableAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return areas;
}

} // namespace

QRect WindowPlacement::Centred(QSize client, const QMargins& frame, const QRect& area)
{
    const QSize frameSize = (client.grownBy(frame)).boundedTo(area.size());
    QRect placed(QPoint(0, 0), frameSize);
    placed.moveCenter(area.center());
    // An odd leftover pixel must not push the frame past the area's edge.
    placed.moveTopLeft(
        QPoint(std::max(placed.left(), area.left()), std::max(placed.top(), area.top())));
    return placed.marginsRemoved(frame);
}

bool WindowPlacement::Fits(const QRect& frame, const QList<QRect>& areas)
{
    return frame.isValid() && std::any_of(areas.begin(), areas.end(), [&frame](const QRect& area) {
               return area.contains(frame);
           });
}

void WindowPlacement::Restore(QWidget& window) const
{
    // The platform knows the frame it draws around the window once the
    // window exists.
    window.winId();
    const QMargins frame =
        window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
    const QRect left = settings_.value(kGeometry).toRect();
    if (left.isValid() && Fits(left.marginsAdded(frame), AvailableAreas())) {
        window.setGeometry(left);
        if (settings_.value(kMaximized).toBool())
            window.setWindowState(window.windowState() | Qt::WindowMaximized);
        return;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(Centred(window.size(), frame, screen->availableGeometry()));
}

void WindowPlacement::Save(const QWidget& window)
{
    const QRect client = window.normalGeometry();
    if (!client.isValid())
        return;
    settings_.setValue(kGeometry, client);
    settings_.setValue(kMaximized, window.isMaximized());
}

} // namespace editor
