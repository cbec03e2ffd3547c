#pragma once

#include <chrono>
#include <string>

namespace bench {

// Wall-clock seconds since `since`.
double Seconds(std::chrono::steady_clock::time_point since);

// A new show store at `path` (any file there is replaced) holding `cues`
// cues on host "HOST", in launch-time order.
// Throws std::runtime_error when the store cannot be made.
void WriteLayoutStore(const std::string& path, int cues);

} // namespace bench
