#pragma once

#include <string>

class QWidget;

namespace prompt {
class Prompt;
}

namespace editor {

// "File" > "Print Load Sheets...": the load sheets of a show store as saved
// (what a download sends), in a print preview from which they print. A store
// that cannot be read is reported and nothing is shown.
void PrintLoadSheets(const std::string& storePath, prompt::Prompt& prompt, QWidget* owner);

} // namespace editor
