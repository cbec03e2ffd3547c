#include "editor/WatchedProgress.h"

namespace editor {

void WatchedProgress::Step(std::size_t done, std::size_t total)
{
    done_.store(done, std::memory_order_relaxed);
    total_.store(total, std::memory_order_relaxed);
    if (state_.load() == kStopped)
        throw show::Cancelled{};
}

void WatchedProgress::BeforeCommit()
{
    int state = kWorking;
    if (!state_.compare_exchange_strong(state, kCommitting) && state == kStopped)
        throw show::Cancelled{};
}

bool WatchedProgress::RequestStop()
{
    int state = kWorking;
    return state_.compare_exchange_strong(state, kStopped) || state == kStopped;
}

} // namespace editor
