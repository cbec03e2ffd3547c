#include "platform/ExecutablePath.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace platform {

const char kExecutableSuffix[] = "";

std::string ExecutableFolder()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

std::optional<std::string> WhyNotRunnable(const std::string& path)
{
    if (::access(path.c_str(), X_OK) != 0)
        return std::strerror(errno);
    return std::nullopt;
}

} // namespace platform
