#include "platform/NewFile.h"
#include "platform/WindowsText.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace platform {

namespace {
std::error_code LastError()
{
    return {errno, std::generic_category()};
}

// What one _write may be given.
constexpr std::size_t kLargestWrite = 1u << 30;
} // namespace

NewFile::NewFile(const std::string& path)
    : fd_(_wopen(windows::Wide(path).c_str(),
                 _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE))
{
    if (fd_.get() < 0)
        error_ = LastError();
}

std::error_code NewFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const unsigned size = static_cast<unsigned>(std::min(bytes.size(), kLargestWrite));
        const int written = _write(fd_.get(), bytes.data(), size);
        if (written < 0)
            return LastError();
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code NewFile::SyncAndClose()
{
    if (_commit(fd_.get()) != 0)
        return LastError();
    // Closed here, to see whether closing failed.
    if (_close(fd_.Release()) != 0)
        return LastError();
    return {};
}

long CurrentProcessId()
{
    return static_cast<long>(GetCurrentProcessId());
}

} // namespace platform
