#pragma once

#include "editor/FireOneReimport.h"
#include "editor/ShowContext.h"

namespace editor {

// Where the show store of a FireOne file is made.
enum class StorePlace
{
    kAsTheFileAllows, // an SQLite file itself; beside an Access file (read-only here)
    kNewStore,        // a new store for every kind of file, the FireOne file left as it is
};

// "Load Database" > "FireOne Database": makes a show store of a FireOne show
// and shows its cues. An SQLite FireOne file gets tb_Layout itself; an Access
// one (read-only here), or any with kNewStore, gets a new SQLite show store,
// chosen by the user, holding a copy of FireData and the show table. Two
// imports at once of one store: the later one waits for nothing, it loads
// the store if it is made by then or says that it is being made. A store that
// already holds tb_Layout is compared with the FireOne show as it is now:
// unchanged, it is loaded as it stands, host names included; changed, it is
// brought up to it, host names carried over, as `update` says (see
// ReimportFireOne). The show table is created and filled in one transaction:
// a failure leaves every file as it was. Raises show::Failure, for the
// window to show as an import's (its steps that read as Open's are
// failures of messages::InStep). True when the show is in the grid and
// `show.storePath` names its store; false, with nothing said, when there
// was nothing to import (a cancelled chooser, a file without FireData). The
// path changes on success only. A stop asked for by `show.progress` raises
// show::Cancelled: no store is made or changed, and the show and the path
// are as they were.
bool ImportFireOne(ShowContext& show, StorePlace place = StorePlace::kAsTheFileAllows,
                   ShowUpdate update = ShowUpdate::kAsk);

} // namespace editor
