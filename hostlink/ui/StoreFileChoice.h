#pragma once

#include "prompt/Prompt.h"

#include <string>

namespace hostlink {

// The Open File choice of the Download and Host Settings dialogs: show
// stores, Access or SQLite, starting at `currentStore` (preselected) when
// there is one.
prompt::FileChoice StoreFileChoice(const std::string& currentStore = {});

} // namespace hostlink
