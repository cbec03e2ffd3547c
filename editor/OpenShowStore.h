#pragma once

#include "ShowContext.h"

namespace editor {

// "Load Database" > "Corvane Database": the user picks a show store and its
// show table replaces the grid's rows. The chosen file becomes the current
// show store only once its table is loaded: a file that cannot be opened or
// read leaves the grid and the current path as they were, so that a later
// Save cannot write the grid's names into the wrong file.
void OpenShowStore(ShowContext& show);

} // namespace editor
