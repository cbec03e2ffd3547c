#include "platform/FileLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

FileLock::FileLock(const std::string& path) : path_(path)
{
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        failure_ = std::strerror(errno);
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            outcome_ = Outcome::kHeldElsewhere;
        else
            failure_ = std::strerror(error);
        return;
    }
    handle_ = fd;
    outcome_ = Outcome::kHeld;
}

FileLock::~FileLock()
{
    if (handle_ < 0)
        return;
    if (StillNamed())
        ::unlink(path_.c_str());
    ::close(static_cast<int>(handle_));
}

bool FileLock::StillNamed() const
{
    struct stat held
    {
    };
    return handle_ >= 0 && ::fstat(static_cast<int>(handle_), &held) == 0 &&
           IdentityOf(path_) == FileIdentity{static_cast<std::uint64_t>(held.st_dev),
                                             static_cast<std::uint64_t>(held.st_ino)};
}

} // namespace platform
