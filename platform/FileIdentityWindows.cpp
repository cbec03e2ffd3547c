#include "platform/FileIdentity.h"
#include "platform/WindowsIdentity.h"
#include "platform/WindowsText.h"

#include <windows.h>

namespace platform {

namespace windows {
std::optional<FileIdentity> IdentityOfHandle(void* handle)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info))
        return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}
} // namespace windows

std::optional<FileIdentity> IdentityOf(const std::string& path)
{
    // No access asked for: only the file's identity is read. Backup
    // semantics let a folder be opened too.
    const HANDLE file = CreateFileW(windows::Wide(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const std::optional<FileIdentity> identity = windows::IdentityOfHandle(file);
    CloseHandle(file);
    return identity;
}

} // namespace platform
