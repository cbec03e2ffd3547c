#include "platform/Interrupt.h"

#include <atomic>
#include <csignal>
#include <signal.h>
#include <thread>

namespace platform {

namespace {

std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

struct sigaction previousInterrupt;
struct sigaction previousTerminate;

extern "C" void OnInterrupt(int /*signal*/)
{
    requested.store(true);
}

// A signal handler may only set a flag: waiting looks at it this often.
constexpr std::chrono::milliseconds kWatchInterval{20};

} // namespace

InterruptCatch::InterruptCatch()
{
    requested.store(false);
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND; // the second one takes the default way out
    sigaction(SIGINT, &action, &previousInterrupt);
    sigaction(SIGTERM, &action, &previousTerminate);
}

InterruptCatch::~InterruptCatch()
{
    sigaction(SIGINT, &previousInterrupt, nullptr);
    sigaction(SIGTERM, &previousTerminate, nullptr);
}

bool InterruptCatch::Requested()
{
    return requested.load();
}

void InterruptCatch::Request()
{
    requested.store(true);
}

void InterruptCatch::WaitForRequest()
{
    while (!requested.load())
        std::this_thread::sleep_for(kWatchInterval);
}

} // namespace platform
