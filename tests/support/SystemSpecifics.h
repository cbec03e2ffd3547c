#pragma once

#include <optional>
#include <string>

// What a test makes of the system that only the system can make, one file
// per system (SystemSpecificsPosix.cpp, SystemSpecificsWindows.cpp).
namespace testsupport {

// A named pipe at `path`; false where there is none (Windows).
bool MakeFifo(const std::string& path);

// A file system of `bytes` mounted on the folder `path` (tmpfs, as root);
// why not, when it cannot be had.
std::optional<std::string> MountSmallDisk(const std::string& path, std::size_t bytes);
void UnmountSmallDisk(const std::string& path);

// Whether process `id` is gone (or a zombie nobody reaped yet), waiting a few
// seconds for a kill to land.
bool ProcessHasEnded(long id);
// Whether this process has no child left to reap (POSIX; always on Windows,
// where nothing is reaped).
bool EveryChildReaped();

// Sets (or, with nothing, removes) a variable of this process's environment.
void SetEnvironment(const std::string& name, const std::optional<std::string>& value);

// What Crash is called where it ends a process: "signal 11",
// "exception 0xC0000005".
std::string CrashName();

// Ends this process as a crash does: SIGSEGV on POSIX, an access violation
// on Windows (without an error box).
[[noreturn]] void Crash();

} // namespace testsupport
