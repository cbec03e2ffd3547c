#include "tools/screenshot/TitleBar.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

QImage WithTitleBar(QWidget& window)
{
    const QPixmap client = window.grab();
    // The title as the platform shows it: "[*]" becomes "*" while modified.
    QString title = window.windowTitle();
    title.replace(QStringLiteral("[*]"),
                  window.isWindowModified() ? QStringLiteral("*") : QString());
    const QFontMetrics metrics(window.font());
    const int barHeight = metrics.height() + 10;
    QImage image(client.width(), client.height() + barHeight, QImage::Format_RGB32);
    image.fill(window.palette().color(QPalette::Window));
    QPainter painter(&image);
    painter.fillRect(0, 0, image.width(), barHeight, QColor(0x33, 0x4d, 0x80));
    painter.setPen(Qt::white);
    painter.setFont(window.font());
    painter.drawText(QRect(8, 0, image.width() - 16, barHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     title);
    painter.drawPixmap(0, barHeight, client);
    return image;
}
