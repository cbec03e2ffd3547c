#include "WindowCommands.h"

#include "ADODataBase.h"
#include "Prompt.h"
#include "strings/Strings.h"

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
