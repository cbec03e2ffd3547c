#pragma once

namespace cli {

// A reader that goes away (`tavrin-cli show ... | head`) must not end the
// program unseen: writes to a closed pipe fail like any other write
// (platform::PrepareStandardStreams), and FinishStandardStreams reports them.
//
// The exit code once what the command wrote is out: 1 instead of a success
// when standard output or standard error did not take all of it (a full
// disk, a closed pipe), after saying so on standard error while that still
// works; a pipe whose reader went away is not said. A failure keeps its own
// code.
int FinishStandardStreams(int exitCode);

} // namespace cli
