#include "platform/NewFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {
std::error_code LastError()
{
    return {errno, std::generic_category()};
}
} // namespace

NewFile::NewFile(const std::string& path)
    : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666))
{
    if (fd_.get() < 0)
        error_ = LastError();
}

std::error_code NewFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_.get(), bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return LastError();
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code NewFile::SyncAndClose()
{
    if (::fsync(fd_.get()) != 0)
        return LastError();
    // Closed here, to see whether closing failed.
    if (::close(fd_.Release()) != 0)
        return LastError();
    return {};
}

long CurrentProcessId()
{
    return static_cast<long>(::getpid());
}

} // namespace platform
