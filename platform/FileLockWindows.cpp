#include "platform/FileLock.h"
#include "platform/WindowsIdentity.h"
#include "platform/WindowsText.h"

#include <windows.h>

namespace platform {

namespace {
HANDLE Native(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}
} // namespace

// The file goes when its last handle closes, a killed holder's too: nobody
// removes it by name while another may be opening it, which Windows would
// refuse them for as long as the removal is pending.
FileLock::FileLock(const std::string& path) : path_(path)
{
    const HANDLE file =
        CreateFileW(windows::Wide(path_).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        failure_ = windows::ErrorText(GetLastError());
        return;
    }
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                    MAXDWORD, &whole)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
            outcome_ = Outcome::kHeldElsewhere;
        else
            failure_ = windows::ErrorText(error);
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    outcome_ = Outcome::kHeld;
}

FileLock::~FileLock()
{
    if (handle_ != -1)
        CloseHandle(Native(handle_));
}

bool FileLock::StillNamed() const
{
    return handle_ != -1 && IdentityOf(path_) == windows::IdentityOfHandle(Native(handle_));
}

} // namespace platform
