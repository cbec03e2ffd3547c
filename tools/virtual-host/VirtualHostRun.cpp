#include "tools/virtual-host/VirtualHostRun.h"

#include "platform/Interrupt.h"
#include "tools/virtual-host/FrameJson.h"
#include "tools/virtual-host/NetworkIsolation.h"
#include "tools/virtual-host/VirtualFiringHost.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <mutex>

namespace {

std::mutex outputMutex;

// With `outputMutex` held. A reader that went away (`| head`) ends the run,
// also where a closed pipe raises no SIGPIPE.
void WriteLine(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    if (std::fflush(stdout) != 0 && errno == EPIPE)
        platform::InterruptCatch::Request();
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
    const std::vector<hostlink::VirtualHostOptions> options = HostsToPlay(arguments);
    std::string error;
    for (const hostlink::VirtualHostOptions& host : options) {
        if (!AddressesContained(host, error)) {
            std::fprintf(stderr, "%s: %s\n", program, error.c_str());
            return 2;
        }
    }

    // Ctrl-C or a request to end stops the hosts; so does --exit-after.
    const platform::InterruptCatch interrupts;

    std::atomic<int> frames{0};
    const int exitAfter = arguments.exitAfter;
    std::vector<std::unique_ptr<hostlink::VirtualFiringHost>> hosts;
    {
        // Every "listening" line comes before the first frame line.
        const std::lock_guard lock(outputMutex);
        for (const hostlink::VirtualHostOptions& host : options) {
            auto& started = hosts.emplace_back(std::make_unique<hostlink::VirtualFiringHost>(host));
            started->SetFrameListener(
                [&frames, exitAfter](const hostlink::HostFrameRecord& record) {
                    const std::lock_guard frameLock(outputMutex);
                    WriteLine(hostlink::FrameRecordJson(record));
                    if (exitAfter > 0 && ++frames == exitAfter)
                        platform::InterruptCatch::Request();
                });
            if (!started->Start(error)) {
                std::fprintf(stderr, "%s: %s\n", program, error.c_str());
                return 1; // the hosts started so far stop as they are destroyed
            }
            WriteLine(hostlink::ListeningJson(host.address, started->Port(), started->OtherPort()));
        }
    }

    platform::InterruptCatch::WaitForRequest();
    for (const auto& host : hosts)
        host->Stop();
    return 0;
}
