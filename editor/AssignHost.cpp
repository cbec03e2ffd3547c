#include "editor/AssignHost.h"

#include "prompt/Prompt.h"
#include "resources/strings/Strings.h"
#include "show/ControlCharacters.h"
#include "show/Cue.h"
#include "store/LayoutTable.h"

namespace editor {

const char* AssignHostNameRefusal(const std::string& name)
{
    if (name.empty())
        return strings::kAssignHostEmpty;
    if (show::HasControlCharacter(name))
        return strings::kAssignHostControlCharacter;
    return nullptr;
}

void AssignHost(ShowContext& show, HostNameAsker& asker)
{
    try {
        // The selection cannot change while the question and the dialog are
        // up: it is counted once, and its rows are read after the dialog.
        const int selected = show.grid.GetSelectedRowCount();
        if (selected > 0 && !show.prompt.AskYesNo(strings::kAssignQuestion))
            return;
        const std::optional<std::string> name = asker.AskHostName();
        if (!name)
            return;
        for (int i = 0; i < selected; ++i) {
            const int row = show.grid.GetSelectedRowAt(i);
            if (row >= 1)
                show.grid.SetCellText(row, show::kColumnHost, *name);
        }
    } catch (const GridError&) {
        // the grid refused: the cells set so far stay set
    }
}

} // namespace editor
