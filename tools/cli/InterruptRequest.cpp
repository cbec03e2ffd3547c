#include "tools/cli/InterruptRequest.h"

#include <atomic>
#include <chrono>
#include <csignal>

#ifndef _WIN32
#include <signal.h>
#endif

namespace cli {

namespace {

std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

#ifndef _WIN32
struct sigaction previousInterrupt;
struct sigaction previousTerminate;
#endif

extern "C" void OnInterrupt(int /*signal*/)
{
    requested.store(true);
}

constexpr std::chrono::milliseconds kWatchInterval{20};

} // namespace

InterruptRequest::InterruptRequest()
{
    requested.store(false);
#ifdef _WIN32
    std::signal(SIGINT, OnInterrupt);
#else
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND; // the second one takes the default way out
    sigaction(SIGINT, &action, &previousInterrupt);
    sigaction(SIGTERM, &action, &previousTerminate);
#endif
    watcher_ = std::jthread([this](std::stop_token end) {
        while (!end.stop_requested() && !requested.load())
            std::this_thread::sleep_for(kWatchInterval);
        if (requested.load())
            stop_.request_stop();
    });
}

InterruptRequest::~InterruptRequest()
{
    watcher_.request_stop();
    watcher_.join();
#ifdef _WIN32
    std::signal(SIGINT, SIG_DFL);
#else
    sigaction(SIGINT, &previousInterrupt, nullptr);
    sigaction(SIGTERM, &previousTerminate, nullptr);
#endif
}

bool InterruptRequest::Requested()
{
    return requested.load();
}

} // namespace cli
