#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// A file as the system knows it: the same for every path, link or hard link
// that names it (device and inode; volume and file index on Windows).
struct FileIdentity
{
    std::uint64_t device = 0;
    std::uint64_t file = 0;

    bool operator==(const FileIdentity&) const = default;
};

// The file `path` (UTF-8) names, links followed; nothing when it names none.
std::optional<FileIdentity> IdentityOf(const std::string& path);

// Whether two paths name one existing file.
bool SameFile(const std::string& a, const std::string& b);

} // namespace platform
