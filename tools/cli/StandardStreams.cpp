#include "tools/cli/StandardStreams.h"

#include "resources/strings/Strings.h"
#include "tools/cli/CliCommon.h"

#include <cstdio>
#include <iostream>

namespace cli {

int FinishStandardStreams(int exitCode)
{
    std::cout.flush();
    const bool outFailed = std::fflush(stdout) != 0 || std::ferror(stdout) || std::cout.fail();
    if (outFailed)
        PrintError(strings::kCliOutputLost);
    std::cerr.flush();
    const bool errFailed = std::fflush(stderr) != 0 || std::ferror(stderr) || std::cerr.fail();
    if ((outFailed || errFailed) && exitCode == kSuccess)
        return kFailure;
    return exitCode;
}

} // namespace cli
