#pragma once

#include "editor/ShowContext.h"

namespace editor {

// "Load Database" > "Corvane Database": the user picks a show store and its
// show table replaces the grid's rows. The chosen file becomes the current
// show store only once its table is loaded: a file that cannot be opened or
// read leaves the grid and the current path as they were, so that a later
// Save cannot write the grid's names into the wrong file. A failure is shown
// here, once, in the words of messages/. True when the chosen store's table
// is in the grid. A stop asked for by `show.progress`
// raises show::Cancelled, the show and the path as they were.
bool OpenShowStore(ShowContext& show);

// The same for a store already chosen (the program's command line): the
// same checks and messages, without the chooser.
bool OpenShowStoreFile(ShowContext& show, const std::string& path);

// The show table of the store at `path`, which the command has just made, in
// the window: a store that cannot be opened is said as a store that cannot
// be read.
bool ShowStoreFile(ShowContext& show, const std::string& path);

// The show table of the open store `db` in the window, `path` the current
// store, as Open does it; false after saying why not (the show and the path
// are then as they were).
bool ShowStoredTable(ShowContext& show, CADODataBase& db, const std::string& path);

} // namespace editor
