#pragma once

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>

class QSettings;
class QWidget;

namespace editor {

// Where the main window opens: where the designer left it, when that still
// lies wholly inside the available area of a screen present (screens come
// and go between runs); else at its own size, made smaller where the screen
// is smaller, in the middle of the primary screen's available area. The
// window's geometry is the one thing kept between runs.
class WindowPlacement
{
public:
    explicit WindowPlacement(QSettings& settings) : settings_(settings) {}

    // Before the window is first shown.
    void Restore(QWidget& window) const;
    // After it closed: its geometry as the designer last saw it shown normally.
    void Save(const QWidget& window);

    // The client rectangle of a window of `client` size inside a frame of
    // `frame`, the frame wholly inside `area` and in its middle.
    static QRect Centred(QSize client, const QMargins& frame, const QRect& area);
    // Whether `frame` lies wholly inside one of `areas`.
    static bool Fits(const QRect& frame, const QList<QRect>& areas);

private:
    QSettings& settings_;
};

} // namespace editor
