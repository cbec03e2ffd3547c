#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace clitest {

// What one run of tavrin-cli left behind.
struct CliResult
{
    int exitCode = -1; // -1: did not end in time (then it was killed), or a signal ended it
    int signal = 0;    // the signal that ended it
    std::string out;   // line ends as "\n" on every system
    std::string err;
    std::string rawOut; // as written: "\r\n" on Windows
};

// Where standard output goes when it is not captured.
enum class Output
{
    kCaptured,
    kFullDisk,   // /dev/full: every write fails with ENOSPC
    kClosedPipe, // a pipe nobody reads: every write fails with EPIPE (or SIGPIPE)
};

// Runs the real tavrin-cli with these arguments, no terminal attached.
CliResult RunCli(const std::vector<std::string>& args,
                 std::chrono::milliseconds timeout = std::chrono::seconds(30));

// The same with standard output sent to `out`.
CliResult RunCliInto(Output out, const std::vector<std::string>& args);

// The same for a copy of the program elsewhere.
CliResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     std::chrono::milliseconds timeout = std::chrono::seconds(30),
                     Output output = Output::kCaptured);

// The program's path in the build.
std::string CliPath();

// A copy of the program in `folder`/bin beside the editor tests' stand-in
// Access reader (which describes the tables of FILE from FILE.tables); its
// path, nothing where this build has no stand-in.
std::optional<std::string> CliBesideStandInReader(const std::filesystem::path& folder);

} // namespace clitest
