#include "bench/TreeMemory.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

namespace {

// "VmHWM:" of /proc/PID/status in KiB; -1 once the process is gone.
long PeakKiB(long pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// The processes that any thread of `pid` started.
std::vector<long> Children(long pid)
{
    std::vector<long> children;
    std::error_code error;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream list(task.path() / "children");
        long child = 0;
        while (list >> child)
            children.push_back(child);
    }
    return children;
}

} // namespace

long TreeMemoryPeak::Self()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self", error);
    return error ? 0 : std::stol(self.filename().string());
}

TreeMemoryPeak::TreeMemoryPeak(long rootPid) : root_(rootPid)
{
    Look();
    looker_ = std::thread([this] {
        while (!stop_) {
            Look();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
}

TreeMemoryPeak::~TreeMemoryPeak()
{
    StopMB();
}

void TreeMemoryPeak::Look()
{
    std::vector<long> tree{root_};
    for (std::size_t i = 0; i < tree.size(); ++i)
        for (const long child : Children(tree[i]))
            tree.push_back(child);
    long sum = 0;
    for (const long pid : tree)
        sum += std::max(PeakKiB(pid), 0L);
    std::lock_guard lock(mutex_);
    peakKiB_ = std::max(peakKiB_, sum);
}

double TreeMemoryPeak::StopMB()
{
    if (looker_.joinable()) {
        stop_ = true;
        looker_.join();
        Look(); // the root's last word, when it is still there
    }
    std::lock_guard lock(mutex_);
    return static_cast<double>(peakKiB_) / 1024.0;
}

} // namespace bench
