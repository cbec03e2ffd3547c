#pragma once

#include "messages/FailureMessage.h"

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

// One message on standard error, its control characters escaped (line
// breaks and tabs kept), so that a name from a show file cannot steer the
// terminal.
void PrintError(const std::string& text);

// A failure in the words of what was being done, the access layer's record
// condensed to its description unless --verbose.
void PrintFailure(const show::Failure& failure, messages::Doing doing);

// --verbose: messages keep the access layer's whole error record, after the
// message and the description.
bool& VerboseOutput();

} // namespace cli
