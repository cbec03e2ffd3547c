#pragma once

#include "editor/LoadShowTable.h"
#include "editor/ShowContext.h"

namespace editor {

// Tells the user why the show table of `db` was not loaded; true when it
// was. A failure that left half a show in the grid clears the current path:
// Save must not pair it with a file.
bool ReportLoadOutcome(ShowContext& show, CADODataBase& db, const LoadOutcome& outcome);

} // namespace editor
