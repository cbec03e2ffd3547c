#pragma once

#include "editor/FlexGrid.h"

#include <string>

class CADODataBase;
class CADORecordset;

namespace prompt {
class Prompt;
}

namespace editor {

// What the show commands work on: the main window's store connection, its
// recordset, the current show store's path and its grid, and the user.
struct ShowContext
{
    CADODataBase& db;
    CADORecordset& rs;
    std::string& storePath; // empty until a show store has been loaded
    FlexGrid& grid;
    prompt::Prompt& prompt;
};

} // namespace editor
