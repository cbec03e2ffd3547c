#pragma once

#include <optional>
#include <string>

namespace platform {

// What a program's file name ends with: ".exe" on Windows.
extern const char kExecutableSuffix[];

// The folder of the running program (UTF-8); empty when it cannot be told.
std::string ExecutableFolder();

// Why the program at `path` cannot be started ("No such file or
// directory"); nothing when it can.
std::optional<std::string> WhyNotRunnable(const std::string& path);

} // namespace platform
