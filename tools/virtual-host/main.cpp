// tavrin-virtual-host: plays a firing host on an address and port and prints
// every frame it gets as one JSON line on standard output. The first line
// tells where it listens. Ends on SIGINT or SIGTERM, or after --exit-after.
#include "VirtualHostArguments.h"
#include "VirtualHostRun.h"

#include <cstdio>

int main(int argc, char** argv)
{
    VirtualHostArguments arguments;
    std::string error;
    if (!ParseVirtualHostArguments({argv + 1, argv + argc}, arguments, error)) {
        std::fprintf(stderr, "tavrin-virtual-host: %s\n%s", error.c_str(), kVirtualHostUsage);
        return 2;
    }
    if (arguments.help) {
        std::fputs(kVirtualHostUsage, stdout);
        return 0;
    }
    return RunVirtualHost(arguments, "tavrin-virtual-host");
}
