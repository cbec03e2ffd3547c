#include "editor/FileIdentity.h"

#include <sys/stat.h>

namespace editor {

std::optional<FileIdentity> IdentityOf(const std::string& path)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

bool SameFile(const std::string& a, const std::string& b)
{
    const std::optional<FileIdentity> first = IdentityOf(a);
    return first && first == IdentityOf(b);
}

} // namespace editor
