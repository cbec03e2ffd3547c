#pragma once

#include <functional>

namespace platform {

// Runs `work` in a copy of this process where the system can make one, so
// that what it allocates never counts in this process's memory; elsewhere
// (Windows) in this process. True when it returned 0 there.
bool RunForked(const std::function<int()>& work);

} // namespace platform
