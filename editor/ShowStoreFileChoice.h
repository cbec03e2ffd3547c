#pragma once

#include "prompt/Prompt.h"

namespace editor {

// The Open File chooser for a show store: Access and SQLite files together
// first, then each kind alone, then any file.
prompt::FileChoice ShowStoreFileChoice();

// The chooser of the FireOne import: Access files, then FireOne's own script
// files (Access databases named .fir), then as for a show store. The file's
// content, not its name, tells what it is.
prompt::FileChoice FireOneFileChoice();

} // namespace editor
