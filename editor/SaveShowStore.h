#pragma once

#include "editor/ShowContext.h"

namespace editor {

// "File" > "Save": writes the host names changed since the show was read
// into the current show store, all or nothing, after checking that no other
// program changed the store meanwhile; "fire data have saved!" follows only
// a committed save. Raises show::Failure, for the window to show as a
// save's, having written nothing. Does nothing while there is no current
// show store (false); true once the names are written. A stop asked for by
// `show.progress` before the commit raises show::Cancelled, and nothing is
// written.
bool SaveShowStore(ShowContext& show);

} // namespace editor
