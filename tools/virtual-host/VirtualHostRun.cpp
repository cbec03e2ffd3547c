#include "VirtualHostRun.h"

#include "FrameJson.h"
#include "NetworkIsolation.h"
#include "VirtualFiringHost.h"

#include <csignal>
#include <cstdio>
#include <mutex>
#include <pthread.h>
#include <unistd.h>

namespace {

std::mutex outputMutex;

void PrintLine(const std::string& line)
{
    const std::lock_guard lock(outputMutex);
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Replies go back to whoever sent the frame; still, the host listens and
// answers only where nothing can leave the machine.
bool AddressesContained(const hostlink::VirtualHostOptions& host, std::string& error)
{
    for (const std::string* address :
         {&host.address, &host.replyFromAddress, &host.decoyFromAddress}) {
        if (address->empty() || hostlink::IsContainedAddress(*address))
            continue;
        error = "address " + *address +
                " is not a loopback address and this network has other interfaces than "
                "loopback; run inside an isolated network (isolated-net)";
        return false;
    }
    return true;
}

} // namespace

int RunVirtualHost(const VirtualHostArguments& arguments, const char* program)
{
    std::string error;
    if (!AddressesContained(arguments.host, error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        return 2;
    }

    // The signals are taken by sigwait below, on this thread only.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    hostlink::VirtualFiringHost host(arguments.host);
    const int exitAfter = arguments.exitAfter;
    host.SetFrameListener([exitAfter](const hostlink::HostFrameRecord& record) {
        PrintLine(hostlink::FrameRecordJson(record));
        if (exitAfter > 0 && record.number >= exitAfter)
            kill(getpid(), SIGTERM);
    });
    if (!host.Start(error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        return 1;
    }
    std::string listening = "{\"listening\":" + hostlink::JsonString(arguments.host.address) +
                            ",\"port\":" + std::to_string(host.Port());
    if (host.OtherPort() != 0)
        listening += ",\"other_port\":" + std::to_string(host.OtherPort());
    PrintLine(listening + "}");

    int received = 0;
    sigwait(&signals, &received);
    host.Stop();
    return 0;
}
