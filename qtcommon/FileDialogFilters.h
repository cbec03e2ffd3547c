#pragma once

#include "prompt/Prompt.h"

#include <QStringList>

namespace qtcommon {

// A chooser's filters as a file dialog takes them: "label (patterns)", the
// patterns added when the label does not show them already.
QStringList FileDialogFilters(const prompt::FileChoice& choice);

} // namespace qtcommon
