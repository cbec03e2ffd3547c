#include "tools/cli/InterruptRequest.h"

#include <chrono>

namespace cli {

namespace {
constexpr std::chrono::milliseconds kWatchInterval{20};
} // namespace

InterruptRequest::InterruptRequest()
{
    watcher_ = std::jthread([this](std::stop_token end) {
        while (!end.stop_requested() && !platform::InterruptCatch::Requested())
            std::this_thread::sleep_for(kWatchInterval);
        if (platform::InterruptCatch::Requested())
            stop_.request_stop();
    });
}

bool InterruptRequest::Requested()
{
    return platform::InterruptCatch::Requested();
}

} // namespace cli
