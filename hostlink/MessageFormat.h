#pragma once

#include <string>

namespace hostlink {

// printf into a string, for the string table's formats.
std::string FormatMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace hostlink
