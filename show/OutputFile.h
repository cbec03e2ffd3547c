#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace platform {
class NewFile;
}

namespace show {

// A file the program writes besides the show store (a load sheet). It is
// written under a temporary name in the target's folder and moved into place
// by Commit once complete: a failure or a kill on the way leaves the target
// as it was and no partial file. A target that the command reads, or that
// holds a database, is never written.
class OutputFile
{
public:
    // Checks `target` (links followed) and makes the temporary file. `inputs`
    // are the files the command reads. Raises show::Failure: kOutputIsInput,
    // kOutputIsDatabase, kOutputNotRegular (a folder, a device, a FIFO, a
    // link to nothing), kOutputFolderMissing, kOutputNotWritten.
    OutputFile(std::string target, std::vector<std::string> inputs);
    // Removes the temporary file unless committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    const std::string& Target() const { return target_; }
    // The temporary file, open for writing; for writers that take a handle.
    int Descriptor() const;
    // Raises show::Failure kOutputNotWritten.
    void Write(std::string_view bytes);
    // Puts the complete file in place of the target; checks the target once
    // more first. Raises show::Failure like the constructor.
    void Commit();

private:
    // Where the file lands; raises as the constructor does.
    std::string CheckedPlace() const;
    // The target's whole path, its links followed: all of it when it
    // `exists`, else as far as it does.
    std::string ResolvedPlace(bool exists) const;
    [[noreturn]] void NotWritten(std::error_code error) const;

    std::string target_;
    std::vector<std::string> inputs_;
    std::string place_; // the target, its links followed
    std::string temporary_;
    std::unique_ptr<platform::NewFile> file_;
    bool committed_ = false;
};

} // namespace show
