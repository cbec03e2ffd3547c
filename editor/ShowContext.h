#pragma once

#include "show/WorkProgress.h"

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
// the user, and where long work says how far it got. A command whose
// `progress` asks it to stop raises show::Cancelled, having written nothing.
struct ShowContext
{
    CADODataBase& db;
    CADORecordset& rs;
    std::string& storePath; // empty until a show store has been loaded
    show::Show& model;
    prompt::Prompt& prompt;
    show::WorkProgress* progress = nullptr; // none: nothing shown, never stopped

    show::WorkProgress& Progress() const
    {
        return progress ? *progress : show::WorkProgress::None();
    }
};

} // namespace editor
