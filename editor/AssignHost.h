#pragma once

#include "editor/FlexGrid.h"
#include "editor/ShowContext.h"

#include <optional>
#include <string>

namespace editor {

// Asks the user for the host name to assign: the Assign Host dialog in the
// window, a script in tests. Nothing when the user cancels.
class HostNameAsker
{
public:
    virtual ~HostNameAsker() = default;
    virtual std::optional<std::string> AskHostName() = 0;
};

// "Edit" > "Assign Host" and the popup's "Assigned Host": the selected cue
// rows are gathered first (the caption row skipped), then, after a question
// (asked only when rows are selected) and the host name, every one of those
// cues gets that name in one change of the show; no other value changes. The
// store is written by Save only.
void AssignHost(ShowContext& show, const FlexGrid& grid, HostNameAsker& asker);

} // namespace editor
