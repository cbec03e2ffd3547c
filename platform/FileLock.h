#pragma once

#include "platform/FileIdentity.h"

#include <string>

namespace platform {

// An exclusive lock on a file that the system drops when the process ends,
// however it ends (flock on POSIX, LockFileEx on Windows), so that a killed
// program never blocks the next one.
class FileLock
{
public:
    enum class Outcome
    {
        kHeld,          // this process holds it
        kHeldElsewhere, // another holder has it
        kFailed,        // the file cannot be made or locked: failure() says why
    };

    // Opens `path` (UTF-8), making it if need be, and tries once to lock it.
    explicit FileLock(const std::string& path);
    // Removes the file while still held (whoever opened it meanwhile finds
    // it gone), then lets go. Only lets go when the path names another file.
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    Outcome outcome() const { return outcome_; }
    const std::string& failure() const { return failure_; }
    // Whether the path still names the file held: the holder before may have
    // removed it between our open and our lock.
    bool StillNamed() const;

private:
    std::string path_;
    Outcome outcome_ = Outcome::kFailed;
    std::string failure_;
    std::intptr_t handle_ = -1;
};

} // namespace platform
