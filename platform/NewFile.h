#pragma once

#include "platform/UniqueHandle.h"

#include <string>
#include <string_view>
#include <system_error>

namespace platform {

// A file this program makes and writes itself, byte for byte (binary on
// Windows too), by a C runtime descriptor (which Qt's QFile takes as well).
// When it goes it closes the file if still open; the file stays.
class NewFile
{
public:
    // Makes `path` (UTF-8), which must not exist yet, readable and writable
    // as the process's umask allows. Check error() before anything else.
    explicit NewFile(const std::string& path);

    // Why it could not be made (its errno: EEXIST when it was there).
    std::error_code error() const { return error_; }
    int Descriptor() const { return fd_.get(); }
    std::error_code Write(std::string_view bytes);
    // On the disk, then closed.
    std::error_code SyncAndClose();

private:
    UniqueDescriptor fd_;
    std::error_code error_;
};

// This process's number, as the system shows it.
long CurrentProcessId();

} // namespace platform
