#pragma once

#include "editor/ShowContext.h"

namespace editor {

// "Load Database" > "Corvane Database": the user picks a show store and its
// show table replaces the grid's rows. The chosen file becomes the current
// show store only once its table is loaded: a file that cannot be opened or
// read leaves the grid and the current path as they were, so that a later
// Save cannot write the grid's names into the wrong file. Raises
// show::Failure for the window to show as an Open's (messages::Doing::
// kOpening); a cancelled chooser does nothing. A stop asked for by
// `show.progress` raises show::Cancelled, the show and the path as they were.
void OpenShowStore(ShowContext& show);

// The same for a store already chosen (the program's command line).
void OpenShowStoreFile(ShowContext& show, const std::string& path);

// The show table of the store at `path`, which the command has just made, in
// the window: a store that cannot be opened is a store that cannot be read.
// Its failures are said as an Open's (messages::InStep).
void ShowStoreFile(ShowContext& show, const std::string& path);

// The show table of the open store `db` in the window, `path` becoming the
// current store, as Open does it; a failure leaves the show and the path as
// they were and is said as an Open's (messages::InStep).
void ShowStoredTable(ShowContext& show, CADODataBase& db, const std::string& path);

} // namespace editor
