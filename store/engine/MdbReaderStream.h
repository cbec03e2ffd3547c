#pragma once

#include "store/engine/MdbReaderProcess.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class ChildProcess;
}

namespace store {

// One run of the reader program whose answer is read as it comes, under the
// limits: its standard input empty, its errors discarded. The wall clock
// counts the time spent waiting for the reader, not the time the caller
// takes over what it read (the reader waits on the full pipe meanwhile).
// Every failure is a reader failure (MdbReaderProcess.h) in words for the
// user; the child is killed, if it still runs, and reaped in every case.
class MdbReaderStream
{
public:
    // Raises when the program cannot be run or started.
    MdbReaderStream(const std::string& program, const std::vector<std::string>& arguments,
                    const MdbReaderLimits& limits);
    ~MdbReaderStream();
    MdbReaderStream(const MdbReaderStream&) = delete;
    MdbReaderStream& operator=(const MdbReaderStream&) = delete;

    // Adds at most `most` bytes of the answer to `into`; false when it has
    // all come. Raises when the reader runs out of time, writes more than the
    // limit or its output cannot be read.
    bool Read(std::string& into, std::size_t most);
    // Reads what is left of the answer, dropping it, and waits for the
    // reader to end; returns its exit status. Raises as Read does, and when
    // it crashed or ran out of processor time.
    int End();
    // A failure was raised: there is nothing more to learn from the reader.
    bool Failed() const { return failed_; }

private:
    [[noreturn]] void Fail(const std::string& reason);
    [[noreturn]] void RunOutOfTime();
    // The caller's time since the last read is not the reader's.
    void Resume();

    using Clock = std::chrono::steady_clock;
    std::unique_ptr<platform::ChildProcess> child_;
    MdbReaderLimits limits_;
    Clock::time_point deadline_;
    Clock::time_point paused_;
    std::size_t read_ = 0;
    bool outputEnded_ = false;
    bool failed_ = false;
};

} // namespace store
