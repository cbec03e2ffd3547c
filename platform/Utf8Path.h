#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

// The program keeps every path as UTF-8 text; the file system wants its own
// form (UTF-16 on Windows, where a narrow path would go through the ANSI code
// page and lose 东区). Every path handed to std::filesystem or a file stream
// goes through PathFromUtf8, every path read back through Utf8FromPath.
namespace platform {

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// std::fopen for a UTF-8 path (_wfopen on Windows); null when it cannot.
std::FILE* OpenFile(const std::string& utf8Path, const char* mode);

} // namespace platform
