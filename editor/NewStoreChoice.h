#pragma once

#include "prompt/Prompt.h"

#include <string>

namespace editor {

// The Save File chooser for the new show store of an Access FireOne file: it
// proposes the FireOne file's folder and name with the extension .db.
prompt::FileChoice NewStoreChoice(const std::string& fireOnePath);

// The name under which the new store `storePath` is made, in the same folder,
// until it is complete and moved into place. What a killed import leaves
// under it blocks nothing; the next import removes it.
std::string TemporaryStorePath(const std::string& storePath);

} // namespace editor
