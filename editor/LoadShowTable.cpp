#include "editor/LoadShowTable.h"

#include "show/Show.h"
#include "show/ShowReader.h"

namespace editor {

void LoadShowTable(CADODataBase& db, show::Show& show, show::WorkProgress& progress)
{
    show.Replace(show::ReadShowTable(db, progress));
}

} // namespace editor
