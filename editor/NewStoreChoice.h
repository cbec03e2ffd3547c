#pragma once

#include "prompt/Prompt.h"

#include <string>

namespace editor {

// The Save File chooser for the new show store of an Access FireOne file: it
// proposes the FireOne file's folder and name with the extension .db.
prompt::FileChoice NewStoreChoice(const std::string& fireOnePath);

} // namespace editor
