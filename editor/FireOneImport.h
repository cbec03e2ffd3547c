#pragma once

#include "editor/ShowContext.h"

namespace editor {

// "Load Database" > "FireOne Database": makes a show store of a FireOne show
// and shows its cues. An SQLite FireOne file gets tb_Layout itself; an Access
// one (read-only here) gets a new SQLite show store beside it, chosen by the
// user, holding a copy of FireData and the show table. A store that already
// holds tb_Layout is loaded as it stands, host names included. The show table
// is created and filled in one transaction: a failure leaves every file as it
// was. True when the show is in the grid and `show.storePath` names its store;
// the path changes on success only.
bool ImportFireOne(ShowContext& show);

} // namespace editor
