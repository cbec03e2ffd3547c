#pragma once

#include "prompt/Prompt.h"
#include "show/Cue.h"
#include "store/LayoutTable.h"

#include <vector>

namespace hostlink {

inline constexpr char kDownloadQuery[] = "SELECT * FROM tb_Layout ORDER BY BlastTime";

// The Open File choice of a download: show stores, Access or SQLite.
prompt::FileChoice DownloadFileChoice();

// Asks for a show store and reads its cues in launch-time order. False, with
// the list empty, when the download must end: the chooser was cancelled (no
// message), the store has no tb_Layout, or the store, its table or one of its
// records cannot be read (its message shown). An unreadable store is never
// taken for an empty show.
bool LoadDownloadCues(prompt::Prompt& prompt, std::vector<show::Cue>& list);

} // namespace hostlink
