#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace store {

// Limits put on the helper process that reads an Access file, so that a
// malformed file can neither crash nor hang the program.
struct MdbReaderLimits
{
    std::chrono::milliseconds wallClock{20000};
    int cpuSeconds = 15;
    std::size_t addressSpaceBytes = std::size_t{2} << 30; // 2 GiB
    std::size_t outputBytes = std::size_t{512} << 20;     // what one answer may hold
};

// The reader gave no usable answer: an ado::_com_error whose description
// says why, in words for the user ("the reader crashed (signal 11)").
[[noreturn]] void RaiseReaderFailure(const std::string& reason);

struct MdbReaderRun
{
    std::string output; // all it wrote on standard output
    int exitStatus = 0;
};

// Runs the reader program with the arguments, its standard input empty and
// its errors discarded, under the limits, and waits for it to end, keeping
// all it wrote (MdbReaderStream.h reads an answer as it comes). Raises
// a reader failure when it cannot be started, is ended by a signal, runs out
// of time or writes more than the limit; the child is reaped in every case.
MdbReaderRun RunMdbReader(const std::string& program, const std::vector<std::string>& arguments,
                          const MdbReaderLimits& limits);

} // namespace store
