#pragma once

#include "editor/FlexGrid.h"

#include <string>

namespace editor {

// The filter bar's rule: a cue row shows when the text (case ignored, blanks
// at the ends dropped) is part of its host name or launch time text, or, for
// a number, equals its module ("Sla") or channel ("Cue") read as numbers. An
// empty text shows every row.
bool CueRowPassesFilter(const FlexGrid& grid, int row, const std::string& filter);

} // namespace editor
