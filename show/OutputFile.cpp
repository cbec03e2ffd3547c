#include "show/OutputFile.h"

#include "platform/FileIdentity.h"
#include "platform/NewFile.h"
#include "platform/Utf8Path.h"
#include "show/Failure.h"
#include "store/engine/DatabaseEngine.h"

#include <filesystem>

namespace show {

namespace {

namespace fs = std::filesystem;
using platform::PathFromUtf8;
using platform::Utf8FromPath;

constexpr int kTemporaryNameTries = 100;

[[noreturn]] void Refuse(FailureCode code, const std::string& name)
{
    throw Failure(code).WithName(name);
}

// The folder a new file at `path` goes into, as the user wrote it.
std::string FolderOf(const std::string& path)
{
    const fs::path folder = PathFromUtf8(path).parent_path();
    return folder.empty() ? std::string(".") : Utf8FromPath(folder);
}

} // namespace

OutputFile::OutputFile(std::string target, std::vector<std::string> inputs)
    : target_(std::move(target)), inputs_(std::move(inputs))
{
    place_ = CheckedPlace();
    std::error_code error;
    const fs::file_status existing = fs::status(PathFromUtf8(place_), error);
    const bool replacing = !error && fs::exists(existing);
    const fs::path folder = PathFromUtf8(place_).parent_path();
    const std::string name = Utf8FromPath(PathFromUtf8(place_).filename());
    static int made = 0;
    for (int i = 0; i < kTemporaryNameTries && !file_; ++i) {
        const std::string candidate = Utf8FromPath(
            folder / PathFromUtf8("." + name + "." + std::to_string(platform::CurrentProcessId()) +
                                  "." + std::to_string(++made) + ".part"));
        auto file = std::make_unique<platform::NewFile>(candidate);
        if (!file->error()) {
            file_ = std::move(file);
            temporary_ = candidate;
        } else if (file->error() != std::errc::file_exists) {
            NotWritten(file->error());
        }
    }
    if (!file_)
        NotWritten(std::make_error_code(std::errc::file_exists));
    // A file replaced keeps its permissions.
    if (replacing)
        fs::permissions(PathFromUtf8(temporary_), existing.permissions(), error);
}

OutputFile::~OutputFile()
{
    file_.reset();
    std::error_code ignored;
    if (!committed_ && !temporary_.empty())
        fs::remove(PathFromUtf8(temporary_), ignored);
}

int OutputFile::Descriptor() const
{
    return file_ ? file_->Descriptor() : -1;
}

std::string OutputFile::CheckedPlace() const
{
    const fs::path target = PathFromUtf8(target_);
    std::error_code error;
    const fs::file_status info = fs::status(target, error);
    if (info.type() == fs::file_type::not_found) {
        std::error_code ignored;
        if (fs::exists(fs::symlink_status(target, ignored)))
            Refuse(FailureCode::kOutputNotRegular, target_); // a link to nothing
        const std::string folder = FolderOf(target_);
        if (!fs::is_directory(PathFromUtf8(folder), ignored))
            Refuse(FailureCode::kOutputFolderMissing, folder);
        return ResolvedPlace(false);
    }
    if (error)
        NotWritten(error);
    for (const std::string& input : inputs_)
        if (platform::SameFile(input, target_))
            Refuse(FailureCode::kOutputIsInput, target_);
    if (info.type() != fs::file_type::regular)
        Refuse(FailureCode::kOutputNotRegular, target_);
    if (store::IsDatabaseFile(target_))
        Refuse(FailureCode::kOutputIsDatabase, target_);
    return ResolvedPlace(true);
}

std::string OutputFile::ResolvedPlace(bool exists) const
{
    std::error_code error;
    const fs::path target = PathFromUtf8(target_);
    const fs::path place =
        exists ? fs::canonical(target, error) : fs::weakly_canonical(target, error);
    if (error)
        NotWritten(error);
    return Utf8FromPath(place);
}

void OutputFile::NotWritten(std::error_code error) const
{
    throw Failure(FailureCode::kOutputNotWritten).WithName(target_).WithDetail(error.message());
}

void OutputFile::Write(std::string_view bytes)
{
    if (const std::error_code error = file_->Write(bytes))
        NotWritten(error);
}

void OutputFile::Commit()
{
    if (CheckedPlace() != place_)
        NotWritten(std::make_error_code(std::errc::file_exists)); // a link put there meanwhile
    // On the disk before its name is: a crash leaves the old file or the new.
    const std::error_code closed = file_->SyncAndClose();
    file_.reset();
    if (closed)
        NotWritten(closed);
    std::error_code error;
    fs::rename(PathFromUtf8(temporary_), PathFromUtf8(place_), error);
    if (error)
        NotWritten(error);
    committed_ = true;
}

} // namespace show
