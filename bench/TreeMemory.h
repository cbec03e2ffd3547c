#pragma once

#include <atomic>
#include <mutex>
#include <thread>

namespace bench {

// The peak resident memory of a process and of every process under it (the
// Access reader under the import, say), looked at every millisecond while
// this lives: the largest sum, over the processes alive at one look, of each
// one's own peak so far as /proc tells it. Never less than the tree held at
// any one moment; a process that ended before another began is not added to
// it.
class TreeMemoryPeak
{
public:
    explicit TreeMemoryPeak(long rootPid);
    // This process's own id, as /proc names it; 0 where there is no /proc.
    static long Self();
    ~TreeMemoryPeak();
    TreeMemoryPeak(const TreeMemoryPeak&) = delete;
    TreeMemoryPeak& operator=(const TreeMemoryPeak&) = delete;

    // Stops looking; the peak, in MB (MiB); 0 where /proc says nothing.
    double StopMB();

private:
    void Look();

    long root_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    long peakKiB_ = 0;
    std::thread looker_;
};

} // namespace bench
