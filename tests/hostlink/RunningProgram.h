#pragma once

#include "platform/ChildProcess.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hostlinktest {

// Where the build put tavrin-virtual-host.
std::string VirtualHostToolPath();

// A program started by a test, its standard output read line by line (line
// ends of either system taken off).
class RunningProgram
{
public:
    // `errorsToo`: its standard error joins standard output; otherwise it
    // goes where the test's own goes.
    RunningProgram(const std::string& program, const std::vector<std::string>& args,
                   bool errorsToo = false);
    ~RunningProgram(); // ends the program if it still runs
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return child_ != nullptr; }
    // The next line, without its line break; nothing on time-out or end.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // Waits for the program to end; its exit code, or nothing on time-out.
    std::optional<int> Wait(std::chrono::milliseconds timeout);
    // Asks it to end, then ends it after five seconds.
    void Terminate();
    // As Ctrl-C would.
    void Interrupt();
    // Ends it at once, as the system ends a killed program; Wait then gives
    // kKilled.
    void Kill();
    static constexpr int kKilled = 128 + 9; // as a shell reports SIGKILL

private:
    std::unique_ptr<platform::ChildProcess> child_;
    std::string pending_;
    std::optional<int> exitCode_;
};

} // namespace hostlinktest
