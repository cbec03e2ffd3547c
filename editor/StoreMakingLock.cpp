#include "editor/StoreMakingLock.h"

#include "platform/FileLock.h"
#include "platform/Utf8Path.h"
#include "show/Failure.h"

#include <filesystem>

namespace editor {

namespace {

using show::Failure;
using show::FailureCode;

// A lock file can be removed by its holder between our open and our lock: we
// then hold a file nobody else will see, and try again.
constexpr int kTries = 10;

[[noreturn]] void NotCreated(const std::string& lockPath, const std::string& reason)
{
    throw Failure(FailureCode::kStoreNotCreated)
        .WithName(platform::Utf8FromPath(platform::PathFromUtf8(lockPath).parent_path()))
        .WithDetail(reason);
}

} // namespace

std::string StoreMakingLock::TemporaryPathFor(const std::string& storePath)
{
    const std::filesystem::path path = platform::PathFromUtf8(storePath);
    return platform::Utf8FromPath(
        path.parent_path() /
        platform::PathFromUtf8("." + platform::Utf8FromPath(path.filename()) + ".importing"));
}

std::string StoreMakingLock::PathFor(const std::string& storePath)
{
    std::error_code error;
    const std::filesystem::path named = platform::PathFromUtf8(storePath);
    std::filesystem::path store = std::filesystem::weakly_canonical(named, error);
    if (error)
        store = std::filesystem::absolute(named);
    return TemporaryPathFor(platform::Utf8FromPath(store)) + ".lock";
}

StoreMakingLock::StoreMakingLock(const std::string& storePath) : path_(PathFor(storePath))
{
    for (int i = 0; i < kTries; ++i) {
        auto lock = std::make_unique<platform::FileLock>(path_);
        switch (lock->outcome()) {
        case platform::FileLock::Outcome::kHeldElsewhere:
            throw Failure(FailureCode::kStoreBeingMade).WithName(storePath);
        case platform::FileLock::Outcome::kFailed:
            NotCreated(path_, lock->failure());
        case platform::FileLock::Outcome::kHeld:
            if (lock->StillNamed()) {
                lock_ = std::move(lock);
                return;
            }
        }
    }
    throw Failure(FailureCode::kStoreBeingMade).WithName(storePath);
}

StoreMakingLock::~StoreMakingLock() = default;

} // namespace editor
