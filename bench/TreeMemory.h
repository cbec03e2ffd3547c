#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

namespace bench {

// The peak resident memory of a process and of every process under it (the
// Access reader under the import, say), from the processes' own peaks as
// /proc tells them, looked at every millisecond while this lives. The sum of
// their peaks: never less than the tree held at any one moment.
class TreeMemoryPeak
{
public:
    explicit TreeMemoryPeak(long rootPid);
    // This process's own id, as /proc names it; 0 where there is no /proc.
    static long Self();
    ~TreeMemoryPeak();
    TreeMemoryPeak(const TreeMemoryPeak&) = delete;
    TreeMemoryPeak& operator=(const TreeMemoryPeak&) = delete;

    // Stops looking; the sum of the peaks, in MB (MiB); 0 where /proc says nothing.
    double StopMB();
    // How many processes were seen, the root included.
    std::size_t Processes() const;

private:
    void Look();

    long root_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::map<long, long> peakKiB_; // by process
    std::thread looker_;
};

} // namespace bench
