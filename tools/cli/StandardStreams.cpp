#include "tools/cli/StandardStreams.h"

#include "platform/Console.h"
#include "resources/strings/Strings.h"
#include "tools/cli/CliCommon.h"

#include <cstdio>
#include <iostream>

namespace cli {

int FinishStandardStreams(int exitCode)
{
    std::cout.flush();
    const bool outFailed = std::fflush(stdout) != 0 || std::ferror(stdout) || std::cout.fail();
    // A reader that stopped reading (`| head`) had what it wanted: said
    // nothing of, as other tools do, though the output is still not whole.
    if (outFailed && !platform::StandardOutputReaderGone())
        PrintError(strings::kCliOutputLost);
    std::cerr.flush();
    const bool errFailed = std::fflush(stderr) != 0 || std::ferror(stderr) || std::cerr.fail();
    if ((outFailed || errFailed) && exitCode == kSuccess)
        return kFailure;
    return exitCode;
}

} // namespace cli
