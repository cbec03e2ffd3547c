#include "editor/AssignHost.h"

#include "prompt/Prompt.h"
#include "resources/strings/Strings.h"
#include "show/Show.h"

namespace editor {

void AssignHost(ShowContext& show, const FlexGrid& grid, HostNameAsker& asker)
{
    // Gathered before anything is asked or changed: a view that filters or
    // sorts on the host name may move the rows once the first cue changes.
    std::vector<show::CueIndex> cues;
    const int selected = grid.GetSelectedRowCount();
    for (int i = 0; i < selected; ++i)
        if (const int row = grid.GetSelectedRowAt(i); row >= 1)
            cues.push_back(static_cast<show::CueIndex>(row - 1));
    if (selected > 0 && !show.prompt.AskYesNo(strings::kAssignQuestion))
        return;
    const std::optional<std::string> name = asker.AskHostName();
    if (name && !cues.empty())
        show.model.SetHostName(std::move(cues), *name);
}

} // namespace editor
