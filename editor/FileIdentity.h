#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

namespace editor {

// A file as the system knows it: the same for every path, link or hard link
// that names it.
struct FileIdentity
{
    dev_t device = 0;
    ino_t inode = 0;

    bool operator==(const FileIdentity&) const = default;
};

// The file `path` names, links followed; nothing when it names none.
std::optional<FileIdentity> IdentityOf(const std::string& path);

// Whether two paths name one existing file.
bool SameFile(const std::string& a, const std::string& b);

} // namespace editor
