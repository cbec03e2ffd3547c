#pragma once

class CADODataBase;

namespace prompt {
class Prompt;
}

namespace editor {

// "File" > "Close": closes the store connection when it is open; the grid and
// the current show store stay as they are.
void CloseStore(CADODataBase& db);

// "File" > "Exit" asks first; true when the user answers Yes.
bool ConfirmExit(prompt::Prompt& prompt);

} // namespace editor
