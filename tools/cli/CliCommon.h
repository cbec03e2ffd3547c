#pragma once

#include <stdexcept>
#include <string>

namespace cli {

enum ExitCode : int
{
    kSuccess = 0,
    kFailure = 1,
    kUsage = 2,
};

// A command line that parses but asks for something the show does not have
// (a row past its last cue, say): reported like a parse error, exit code 2.
class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One line on standard error.
void PrintError(const std::string& text);

} // namespace cli
