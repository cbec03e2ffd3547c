#pragma once

#include <string>

class CADODataBase;
class CADORecordset;

namespace prompt {
class Prompt;
}
namespace show {
class Show;
}

namespace editor {

// What the show commands work on: the main window's store connection, its
// recordset, the current show store's path, its show (which the grid shows),
// and the user.
struct ShowContext
{
    CADODataBase& db;
    CADORecordset& rs;
    std::string& storePath; // empty until a show store has been loaded
    show::Show& model;
    prompt::Prompt& prompt;
};

} // namespace editor
