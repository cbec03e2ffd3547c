#include "qtcommon/DialogUnits.h"

#include <QFontMetrics>

namespace qtcommon {

QSize DialogUnitsToPixels(const QFont& font, QSize units)
{
    const QFontMetrics metrics(font);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int averageWidth = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    const int height = metrics.height();
    return {(units.width() * averageWidth + 2) / 4, (units.height() * height + 4) / 8};
}

} // namespace qtcommon
