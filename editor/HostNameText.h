#pragma once

#include <string>

namespace editor {

// A host name as it is stored: without blanks, tabs, line breaks, vertical
// tabs or form feeds at either end.
std::string TrimHostName(const std::string& text);

} // namespace editor
