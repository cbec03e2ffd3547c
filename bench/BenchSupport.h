#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace bench {

// Wall-clock seconds since `since`.
double Seconds(std::chrono::steady_clock::time_point since);

// The processor time of this process: on a busy machine the wall-clock time
// also counts the waits for a processor.
double CpuSeconds();

// Prints one figure against its target; true when the target is met.
bool Report(const char* what, double value, double target, const char* unit);

// This process's figure of /proc/self/status ("VmRSS:" now, "VmHWM:" its
// peak), in KiB; -1 where there is none.
long OwnMemoryKiB(const char* field);

// Starts this process's peak afresh from what it holds now; false where the
// system does not allow it.
bool ResetOwnPeak();

// A folder of that name in the temporary folder, made if need be.
std::filesystem::path TempFolder(const std::string& name);

// A new show store at `path` (any file there is replaced) holding `cues`
// cues on host "HOST", in launch-time order.
// Throws std::runtime_error when the store cannot be made.
void WriteLayoutStore(const std::string& path, int cues);

// Appends `cues` such cues to the show table of the store at `path` through
// the access layer, in one transaction; returns the seconds that took.
double AppendLayoutRows(const std::string& path, int cues);

// A new FireOne SQLite file at `path` (any file there is replaced) whose
// FireData holds `records` records, the N-th at N * 37 ms.
void WriteFireOneSqliteFile(const std::string& path, int records);

} // namespace bench
