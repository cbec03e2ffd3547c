#include "editor/WindowCommands.h"

#include "prompt/Prompt.h"
#include "resources/strings/Strings.h"
#include "store/ADODataBase.h"

namespace editor {

void CloseStore(CADODataBase& db)
{
    if (db.IsOpen())
        db.Close();
}

bool ConfirmExit(prompt::Prompt& prompt)
{
    return prompt.AskYesNo(strings::kExitQuestion);
}

} // namespace editor
