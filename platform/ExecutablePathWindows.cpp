#include "platform/ExecutablePath.h"
#include "platform/Utf8Path.h"
#include "platform/WindowsText.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <windows.h>

namespace platform {

const char kExecutableSuffix[] = ".exe";

std::string ExecutableFolder()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        name.resize(name.size() * 2); // cut off: a longer path
    }
    return Utf8FromPath(std::filesystem::path(name).parent_path());
}

// Windows runs any file it can open as a program: being a file is all.
std::optional<std::string> WhyNotRunnable(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(windows::Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return std::strerror(ENOENT);
        return windows::ErrorText(error);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return std::strerror(EISDIR);
    return std::nullopt;
}

} // namespace platform
