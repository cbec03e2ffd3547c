#include "editor/OutputFile.h"

#include "editor/FileIdentity.h"
#include "show/Failure.h"
#include "store/engine/DatabaseEngine.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace editor {

namespace {

namespace fs = std::filesystem;
using show::Failure;
using show::FailureCode;

constexpr int kTemporaryNameTries = 100;

[[noreturn]] void Refuse(FailureCode code, const std::string& name)
{
    throw Failure(code).WithName(name);
}

// The folder a new file at `path` goes into, as the user wrote it.
std::string FolderOf(const std::string& path)
{
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

} // namespace

OutputFile::OutputFile(std::string target, std::vector<std::string> inputs)
    : target_(std::move(target)), inputs_(std::move(inputs))
{
    place_ = CheckedPlace();
    struct stat existing
    {
    };
    const bool replacing = ::stat(place_.c_str(), &existing) == 0;
    const fs::path folder = fs::path(place_).parent_path();
    const std::string name = fs::path(place_).filename().string();
    static int made = 0;
    for (int i = 0; i < kTemporaryNameTries && fd_ < 0; ++i) {
        const std::string candidate = (folder / ("." + name + "." + std::to_string(::getpid()) +
                                                 "." + std::to_string(++made) + ".part"))
                                          .string();
        fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0)
            temporary_ = candidate;
        else if (errno != EEXIST)
            NotWritten(errno);
    }
    if (fd_ < 0)
        NotWritten(EEXIST);
    // A file replaced keeps its permissions.
    if (replacing)
        ::fchmod(fd_, existing.st_mode & 07777);
}

OutputFile::~OutputFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_ && !temporary_.empty())
        ::unlink(temporary_.c_str());
}

std::string OutputFile::CheckedPlace() const
{
    struct stat info
    {
    };
    if (::stat(target_.c_str(), &info) != 0) {
        const int missing = errno;
        if (missing != ENOENT && missing != ENOTDIR)
            NotWritten(missing);
        struct stat link
        {
        };
        if (::lstat(target_.c_str(), &link) == 0)
            Refuse(FailureCode::kOutputNotRegular, target_); // a link to nothing
        const std::string folder = FolderOf(target_);
        if (!fs::is_directory(folder))
            Refuse(FailureCode::kOutputFolderMissing, folder);
        return ResolvedPlace(false);
    }
    for (const std::string& input : inputs_)
        if (IdentityOf(input) == FileIdentity{info.st_dev, info.st_ino})
            Refuse(FailureCode::kOutputIsInput, target_);
    if (!S_ISREG(info.st_mode))
        Refuse(FailureCode::kOutputNotRegular, target_);
    if (store::IsDatabaseFile(target_))
        Refuse(FailureCode::kOutputIsDatabase, target_);
    return ResolvedPlace(true);
}

std::string OutputFile::ResolvedPlace(bool exists) const
{
    std::error_code error;
    const fs::path place =
        exists ? fs::canonical(target_, error) : fs::weakly_canonical(target_, error);
    if (error)
        NotWritten(error.value());
    return place.string();
}

void OutputFile::NotWritten(int error) const
{
    throw Failure(FailureCode::kOutputNotWritten)
        .WithName(target_)
        .WithDetail(std::strerror(error));
}

void OutputFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            NotWritten(errno);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void OutputFile::Commit()
{
    if (CheckedPlace() != place_)
        NotWritten(EEXIST); // another program put a link there meanwhile
    // On the disk before its name is: a crash leaves the old file or the new.
    if (::fsync(fd_) != 0)
        NotWritten(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        NotWritten(errno);
    if (::rename(temporary_.c_str(), place_.c_str()) != 0)
        NotWritten(errno);
    committed_ = true;
}

} // namespace editor
