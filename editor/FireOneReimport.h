#pragma once

#include "editor/ShowContext.h"
#include "show/Cue.h"

#include <vector>

class CADODataBase;

namespace editor {

// What an import does when the FireOne show differs from its show store's.
enum class ShowUpdate
{
    kAsk,    // the window: Yes updates the store, No opens it as it stands
    kUpdate, // the command line: it updates and says what changed
};

// How a second import of a FireOne file ended.
enum class Reimport
{
    kUnchanged,      // the store holds the show as it is: open it, nothing written
    kKeptAsItStands, // the store is to open as it stands (no show in FireData, or No)
    kUpdated,        // the store now holds the show as it is: `cues`, names carried over
};

// A FireOne file imported before: its FireData (in `source`) converted as a
// first import would, compared with the show table of its store `target`
// (the same file for an SQLite FireOne file). When the show changed, the
// store is brought up to it in one write transaction: tb_Layout rewritten
// from FireData, FlowID from 0, with the host names carried over (see
// show::CarryHostNames); the store's copy of FireData replaced where it keeps
// one. The host plan and the host records stay; `source`, when another file,
// is never changed. Raises show::Failure, or what the access layer raises
// (the import's show::StoreWork makes it one), nothing changed.
Reimport ReimportFireOne(ShowContext& show, CADODataBase& source, CADODataBase& target,
                         ShowUpdate update, std::vector<show::Cue>& cues);

} // namespace editor
