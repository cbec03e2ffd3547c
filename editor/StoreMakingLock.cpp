#include "editor/StoreMakingLock.h"

#include "editor/FileIdentity.h"
#include "editor/NewStoreChoice.h"
#include "show/Failure.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace editor {

namespace {

using show::Failure;
using show::FailureCode;

// A lock file can be removed by its holder between our open and our lock: we
// then hold a file nobody else will see, and try again.
constexpr int kTries = 10;

[[noreturn]] void NotCreated(const std::string& lockPath, int error)
{
    throw Failure(FailureCode::kStoreNotCreated)
        .WithName(std::filesystem::path(lockPath).parent_path().string())
        .WithDetail(std::strerror(error));
}

} // namespace

std::string StoreMakingLock::PathFor(const std::string& storePath)
{
    std::error_code error;
    std::filesystem::path store = std::filesystem::weakly_canonical(storePath, error);
    if (error)
        store = std::filesystem::absolute(storePath);
    return TemporaryStorePath(store.string()) + ".lock";
}

StoreMakingLock::StoreMakingLock(const std::string& storePath) : path_(PathFor(storePath))
{
    for (int i = 0; i < kTries; ++i) {
        const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            NotCreated(path_, errno);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK)
                throw Failure(FailureCode::kStoreBeingMade).WithName(storePath);
            NotCreated(path_, error);
        }
        struct stat held
        {
        };
        if (::fstat(fd, &held) == 0 &&
            IdentityOf(path_) == FileIdentity{held.st_dev, held.st_ino}) {
            fd_ = fd;
            return;
        }
        ::close(fd);
    }
    throw Failure(FailureCode::kStoreBeingMade).WithName(storePath);
}

StoreMakingLock::~StoreMakingLock()
{
    // Removed while still held: whoever opened it meanwhile finds it gone.
    ::unlink(path_.c_str());
    ::close(fd_);
}

} // namespace editor
