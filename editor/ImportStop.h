#pragma once

#include "editor/ShowContext.h"

#include <string>

class CADODataBase;

namespace editor {

// How the FireOne import and the store it makes stop: a Stop message to the
// user, with the database's own account of what went wrong.
void Stop(ShowContext& show, const std::string& text);

// The database's last error: its description, or its text when it has none.
std::string DescriptionOf(const CADODataBase& db);

} // namespace editor
