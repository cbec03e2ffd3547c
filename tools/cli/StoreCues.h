#pragma once

#include "show/Cue.h"
#include "store/LayoutTable.h"

#include <optional>
#include <string>
#include <vector>

namespace cli {

// Every cue of a show store's tb_Layout, in store order; nothing, after saying
// why on standard error, when the store has no show table or cannot be read.
std::optional<std::vector<show::Cue>> ReadStoreCues(const std::string& path);

} // namespace cli
