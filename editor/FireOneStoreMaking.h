#pragma once

#include "editor/ShowContext.h"
#include "show/Cue.h"

#include <string>
#include <vector>

namespace editor {

// How the making of a show store for a FireOne file ended. When nothing can
// be made, the making raises show::Failure instead, nothing made.
enum class StoreMaking
{
    kMade,      // the store holds the show: `cues` (none when its table was copied)
    kFoundMade, // another import made it meanwhile: load it as it stands
};

// Whether a complete store is at `path` (not the empty file that older
// versions left when killed).
bool StoreIsThere(const std::string& path);

// Makes the show table of an SQLite FireOne file in the file itself, in one
// transaction, while no other import makes it. `show.db` is open on the file
// and `show.rs` holds its FireData. Raises show::Failure.
StoreMaking ConvertInPlace(ShowContext& show, const std::string& path,
                           std::vector<show::Cue>& cues);

// Makes a new SQLite show store at `path` for the FireOne file open in
// `show.db`: a copy of FireData and the show table converted from it, or
// copied from the file's own when it was imported before (`copiedLayout`).
// It is made under a temporary name and moved into place once committed,
// while no other import makes it: a kill or a failure on the way leaves
// `path` as it was, and what a dead run left is removed. Raises
// show::Failure (kFireOneNotRead when the FireOne file cannot be read).
StoreMaking MakeNewStore(ShowContext& show, const std::string& path, std::vector<show::Cue>& cues,
                         bool& copiedLayout);

} // namespace editor
