#include "hostlink/ui/DialogTemplate.h"

#include "qtcommon/DialogUnits.h"

#include <QWidget>

namespace hostlink {

namespace {

QPoint ToPixels(const QFont& font, QPoint units)
{
    const QSize pixels = editor::DialogUnitsToPixels(font, QSize(units.x(), units.y()));
    return {pixels.width(), pixels.height()};
}

} // namespace

void PlaceInDialogUnits(QWidget& dialog, QSize templateSize)
{
    const QFont font = dialog.font();
    for (QWidget* control : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect units = control->geometry();
        // Both corners are converted, as the platform maps a dialog's
        // rectangles, so that neighbouring controls meet where they met.
        const QPoint topLeft = ToPixels(font, units.topLeft());
        const QPoint bottomRight =
            ToPixels(font, QPoint(units.x() + units.width(), units.y() + units.height()));
        control->setGeometry(
            QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())));
    }
    dialog.setFixedSize(editor::DialogUnitsToPixels(font, templateSize));
}

} // namespace hostlink
