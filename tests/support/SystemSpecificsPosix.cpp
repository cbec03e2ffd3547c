#include "tests/support/SystemSpecifics.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace testsupport {

bool MakeFifo(const std::string& path)
{
    return ::mkfifo(path.c_str(), 0644) == 0;
}

std::optional<std::string> MountSmallDisk(const std::string& path, std::size_t bytes)
{
    const std::string size = "size=" + std::to_string(bytes);
    if (::mount("tmpfs", path.c_str(), "tmpfs", 0, size.c_str()) != 0)
        return std::string("no tmpfs can be mounted here (needs root): ") + std::strerror(errno);
    return std::nullopt;
}

void UnmountSmallDisk(const std::string& path)
{
    ::umount2(path.c_str(), MNT_DETACH);
}

bool ProcessHasEnded(long id)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do {
        std::string stat;
        if (!std::getline(std::ifstream("/proc/" + std::to_string(id) + "/stat"), stat))
            return true;
        const std::size_t state = stat.rfind(") ") + 2; // after the program's name
        if (state < stat.size() && (stat[state] == 'Z' || stat[state] == 'X'))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

bool EveryChildReaped()
{
    return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

void SetEnvironment(const std::string& name, const std::optional<std::string>& value)
{
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
}

std::string CrashName()
{
    return "signal " + std::to_string(SIGSEGV);
}

void Crash()
{
    std::signal(SIGSEGV, SIG_DFL);
    std::raise(SIGSEGV);
    std::abort();
}

} // namespace testsupport
