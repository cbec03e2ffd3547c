#pragma once

#include <memory>
#include <string>

namespace platform {
class FileLock;
}

namespace editor {

// Only one program at a time makes the show store at one path (through
// whatever path or link it is named): a lock on a file beside the store that
// the system drops when its process ends, however it ends, so that a killed
// import never blocks the next one. Whoever holds it may remove what a dead
// run left; the holder removes the lock file when it is done.
class StoreMakingLock
{
public:
    // Raises show::Failure kStoreBeingMade while another program holds it,
    // kStoreNotCreated when the lock file cannot be made.
    explicit StoreMakingLock(const std::string& storePath);
    ~StoreMakingLock();
    StoreMakingLock(const StoreMakingLock&) = delete;
    StoreMakingLock& operator=(const StoreMakingLock&) = delete;

    // The lock file of the store at `storePath`.
    static std::string PathFor(const std::string& storePath);
    // The name under which the new store `storePath` is made, in the same
    // folder, until it is complete and moved into place. What a killed
    // import leaves under it blocks nothing; the lock's next holder removes
    // it.
    static std::string TemporaryPathFor(const std::string& storePath);

private:
    std::string path_;
    std::unique_ptr<platform::FileLock> lock_;
};

} // namespace editor
