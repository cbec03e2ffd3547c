#pragma once

#include "FixedFilePrompt.h"

#include <string>

// Writes a new SQLite show store of a short demo show to `path`.
void WriteDemoShow(const std::string& path);

// True, after printing them, when the demo's commands showed any message: the
// picture would then not show what it should.
bool ShowedMessages(const prompt::FixedFilePrompt& prompt);
