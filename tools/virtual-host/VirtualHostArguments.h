#pragma once

#include "tools/virtual-host/VirtualFiringHost.h"

#include <string>
#include <vector>

namespace CLI {
class App;
}

// The command line of the virtual host, one option set for tavrin-virtual-host
// and tavrin-cli simulate-host.
struct VirtualHostArguments
{
    // The faults every host plays; its address and port are the listener
    // when no --listen is given.
    hostlink::VirtualHostOptions host;
    std::vector<std::string> listen; // --listen ADDR:PORT, one host each
    int replyDelayMs = 0;
    int replyTwiceMs = 0;                    // > 0: every reply goes a second time, this much later
    int exitAfter = 0;                       // > 0: stop after this many frames, all hosts together
    std::vector<std::string> lateFrames;     // --late-frame K:MS
    std::vector<std::string> repeatedFrames; // --reply-twice-frame K:MS
};

// Adds the options to `app`; its parse fills `arguments` (which must outlive
// it) and refuses what it cannot read.
void AddVirtualHostOptions(CLI::App& app, VirtualHostArguments& arguments);

// One host per --listen (or the --address and --port one), each with the
// faults asked for.
std::vector<hostlink::VirtualHostOptions> HostsToPlay(const VirtualHostArguments& arguments);
