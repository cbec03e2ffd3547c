#pragma once

#include "Prompt.h"

namespace editor {

// The Open File chooser for a show store: Access files first, then SQLite
// files, then any file.
prompt::FileChoice ShowStoreFileChoice();

} // namespace editor
