#pragma once

#include "prompt/FixedFilePrompt.h"

#include <string>

// Writes a new SQLite show store of a short demo show to `path`.
void WriteDemoShow(const std::string& path);

class CConverterDlg;

// Shows the window and opens the demo show in it through "Corvane Database"
// (the prompt answers with the demo's path); false, after saying why, when
// that showed a message.
bool OpenDemoShow(CConverterDlg& window, const prompt::FixedFilePrompt& prompt);

// True, after printing them, when the demo's commands showed any message: the
// picture would then not show what it should.
bool ShowedMessages(const prompt::FixedFilePrompt& prompt);
