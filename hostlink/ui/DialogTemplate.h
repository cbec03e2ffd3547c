#pragma once

#include <QSize>

class QWidget;

namespace hostlink {

// The host dialogs' forms place every control in dialog units, as their
// layouts were drawn. This moves and sizes the dialog's direct children in
// pixels for the dialog's font and fixes the dialog at its drawn size, so
// the controls keep their proportions to the text whatever the font.
void PlaceInDialogUnits(QWidget& dialog, QSize templateSize);

} // namespace hostlink
