#pragma once

#include "VirtualFiringHost.h"

#include <string>
#include <vector>

// The command line of tavrin-virtual-host.
struct VirtualHostArguments
{
    hostlink::VirtualHostOptions host;
    int exitAfter = 0; // > 0: stop after this many frames
    bool help = false;
};

// False with the reason when the command line is not understood.
bool ParseVirtualHostArguments(const std::vector<std::string>& args, VirtualHostArguments& out,
                               std::string& error);

extern const char kVirtualHostUsage[];
