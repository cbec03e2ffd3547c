#pragma once

#include <string>

namespace editor {

// printf into a string, for the string table's formats.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace editor
