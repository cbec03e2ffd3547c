#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace clitest {

// What one run of tavrin-cli left behind.
struct CliResult
{
    int exitCode = -1; // -1: did not end in time (then it was killed)
    std::string out;
    std::string err;
};

// Runs the real tavrin-cli with these arguments, no terminal attached.
CliResult RunCli(const std::vector<std::string>& args,
                 std::chrono::milliseconds timeout = std::chrono::seconds(30));

// The same for a copy of the program elsewhere.
CliResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     std::chrono::milliseconds timeout = std::chrono::seconds(30));

// The program's path in the build.
std::string CliPath();

} // namespace clitest
