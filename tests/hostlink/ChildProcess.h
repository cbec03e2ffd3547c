#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace hostlinktest {

// A program started by a test, its standard output read line by line.
class ChildProcess
{
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args);
    ~ChildProcess(); // ends the program if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    // The next line, without its line break; nothing on time-out or end.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // Waits for the program to end; its exit code, or nothing on time-out.
    std::optional<int> Wait(std::chrono::milliseconds timeout);
    void Terminate();
    // Sends the program a signal (SIGINT: as Ctrl-C would).
    void Signal(int signal);

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string pending_;
    std::optional<int> exitCode_;
};

} // namespace hostlinktest
