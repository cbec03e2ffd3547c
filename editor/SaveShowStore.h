#pragma once

#include "editor/ShowContext.h"

namespace editor {

// "File" > "Save": writes each cue row's trimmed host name into HostName of
// the current show store's record at the same position. All or nothing: the
// names are checked first (none empty, none longer than the column), the
// store must hold exactly as many records as the grid has cue rows, and every
// name is written in one transaction; "fire data have saved!" follows only a
// committed one. Does nothing while there is no current show store. True
// when every name was written.
bool SaveShowStore(ShowContext& show);

} // namespace editor
