#pragma once

#include <string>

// Writes a new SQLite show store of a short demo show to `path`.
void WriteDemoShow(const std::string& path);
