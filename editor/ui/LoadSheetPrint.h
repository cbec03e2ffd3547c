#pragma once

#include "show/Cue.h"

#include <string>
#include <vector>

class QWidget;

namespace prompt {
class Prompt;
}

namespace editor {

// "File" > "Print Load Sheets...": the load sheets of these cues (the show
// as the grid holds it), with the host codes of the store's host plan, in a
// print preview from which they print. While names are unsaved each page's
// heading says so.
void PrintLoadSheets(const std::vector<show::Cue>& cues, const std::string& storePath, bool unsaved,
                     prompt::Prompt& prompt, QWidget* owner);

// The same for a show store as saved, read by path; a store that cannot be
// read is reported and nothing is shown.
void PrintStoreLoadSheets(const std::string& storePath, prompt::Prompt& prompt, QWidget* owner);

} // namespace editor
