#pragma once

#include "editor/MemoryGrid.h"
#include "editor/ShowContext.h"
#include "resources/strings/Strings.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "tools/cli/TerminalPrompt.h"

#include <string>

namespace cli {

// What the window holds for one show, in a terminal: the store connection,
// the grid with its columns and captions, the current store's path and the
// terminal as the user.
class LoadedShow
{
public:
    LoadedShow();
    LoadedShow(const LoadedShow&) = delete;
    LoadedShow& operator=(const LoadedShow&) = delete;

    // Opens the store as "Corvane Database" does; false after its messages.
    // A store that cannot be opened at all is reported under the first line
    // of `failure` (one of the string table's "...%s" failure texts).
    bool Open(const std::string& path, const char* failure = strings::kLoadFailed);

    editor::ShowContext Context() { return {db_, rs_, storePath_, grid_, prompt_}; }
    editor::MemoryGrid& Grid() { return grid_; }
    TerminalPrompt& Prompt() { return prompt_; }
    const std::string& StorePath() const { return storePath_; }
    int CueRows() const { return grid_.GetRowCount() - 1; }

private:
    CADODataBase db_;
    CADORecordset rs_;
    std::string storePath_;
    editor::MemoryGrid grid_;
    TerminalPrompt prompt_;
};

} // namespace cli
