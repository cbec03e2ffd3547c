#pragma once

#include "show/WorkProgress.h"

#include <atomic>
#include <cstddef>

namespace editor {

// The progress of work that another thread watches and may stop: the counts
// as the work last gave them, and a stop that either comes before the work
// commits (the work then raises show::Cancelled at its next step) or is
// refused once it has begun to: the work then ends as it would have.
class WatchedProgress final : public show::WorkProgress
{
public:
    void Step(std::size_t done, std::size_t total) override;
    void BeforeCommit() override;

    // From any thread; false once the work has begun to commit.
    bool RequestStop();
    std::size_t Done() const { return done_.load(std::memory_order_relaxed); }
    std::size_t Total() const { return total_.load(std::memory_order_relaxed); }

private:
    enum State : int
    {
        kWorking,
        kStopped,
        kCommitting,
    };
    std::atomic<int> state_{kWorking};
    std::atomic<std::size_t> done_{0};
    std::atomic<std::size_t> total_{0};
};

} // namespace editor
