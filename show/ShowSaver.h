#pragma once

#include "show/Failure.h"
#include "show/Show.h"
#include "show/WorkProgress.h"

#include <string>

class CADODataBase;

namespace show {

// Writes the host names that `show` changed since it was read into the show
// table of the open store `db`, trimmed, in one write transaction, and
// nothing else: names this show did not change stay as the store holds them.
// Before writing it reads the table again and refuses when the store no
// longer holds the cues that were read (each cue's FlowID, BlastTime, Addr
// and Channel, and their number), or when a cue whose name this save changes
// was given another name meanwhile: another program changed the store, and
// writing would undo its work or pair names with the wrong cues.
// On success the show takes the names the store now holds and counts them as
// saved. Raises Failure, and then the store and the show are as they were:
// kHostName* for a changed name that cannot be stored (its cue row, from 1),
// kStoreChanged, and those of the reader (kNoLayoutTable, kBadField, ...).
// The records read and the names written are steps of `progress`; a stop it
// asks for before the commit raises Cancelled, and nothing is written.
void SaveHostNames(CADODataBase& db, Show& show, WorkProgress& progress = WorkProgress::None());

// The same for a store by path, opened and closed here; the names are checked
// before the store is opened. Raises also kStoreNotOpened.
void SaveHostNamesToFile(const std::string& path, Show& show,
                         WorkProgress& progress = WorkProgress::None());

} // namespace show
