#pragma once

#include "show/WorkProgress.h"

class CADODataBase;

namespace show {
class Show;
}

namespace editor {

// Loads tb_Layout of the open store `db` into `show`, which the grid shows:
// one cue per record, in the order the store gives them. The records are
// read whole first, so a store that cannot be read leaves the show as it
// was. Raises show::Failure, and show::Cancelled when `progress` stops it.
void LoadShowTable(CADODataBase& db, show::Show& show,
                   show::WorkProgress& progress = show::WorkProgress::None());

} // namespace editor
