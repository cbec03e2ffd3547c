#include "platform/Utf8Path.h"

namespace platform {

// char8_t text is UTF-8 by definition: the standard library converts it to
// the native form (a copy on POSIX, UTF-16 on Windows).
std::filesystem::path PathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace platform
