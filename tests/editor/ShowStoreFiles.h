#pragma once

#include "show/Cue.h"
#include "store/LayoutTable.h"

#include <string>
#include <vector>

namespace editortest {

// A cue as the tests write it into a store.
show::Cue Cue(int flowId, const std::string& host, int blastTime = 0);

// Five cues whose FlowIDs are not in insertion order, so that a grid sorted
// by FlowID would show up.
std::vector<show::Cue> FiveCues();

// A new SQLite show store at `path` holding `cues` in that order.
void MakeShowStore(const std::string& path, const std::vector<show::Cue>& cues);

// The records of tb_Layout, read through the access layer, in store order.
std::vector<show::Cue> ReadCues(const std::string& path);
std::vector<std::string> HostNames(const std::string& path);

} // namespace editortest
