#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace platform {

// A file this program makes and writes itself, byte for byte (binary on
// Windows too), by a C runtime descriptor (which Qt's QFile takes as well).
class NewFile
{
public:
    // Makes `path` (UTF-8), which must not exist yet, readable and writable
    // as the process's umask allows. Check error() before anything else.
    explicit NewFile(const std::string& path);
    // Closes the file if still open; it stays.
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // Why it could not be made (its errno: EEXIST when it was there).
    std::error_code error() const { return error_; }
    int Descriptor() const { return fd_; }
    std::error_code Write(std::string_view bytes);
    // On the disk, then closed.
    std::error_code SyncAndClose();

private:
    int fd_ = -1;
    std::error_code error_;
};

// This process's number, as the system shows it.
long CurrentProcessId();

} // namespace platform
