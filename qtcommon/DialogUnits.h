#pragma once

#include <QSize>

class QFont;

namespace qtcommon {

// A size in dialog units (a quarter of the font's average character width
// across, an eighth of its height down) in pixels, so that the window opens
// at the size its layout was drawn for.
QSize DialogUnitsToPixels(const QFont& font, QSize units);

} // namespace qtcommon
