#pragma once

#include "messages/FailureMessage.h"
#include "show/Cue.h"
#include "show/HostPlan.h"
#include "store/LayoutTable.h"

#include <optional>
#include <string>
#include <vector>

namespace cli {

// Every cue of a show store's tb_Layout, in store order; nothing, after saying
// why on standard error, when the store has no show table or cannot be read.
std::optional<std::vector<show::Cue>> ReadStoreCues(const std::string& path);

// The sound host plan of a show store; nothing, after saying why on standard
// error in the words of `doing`, when it cannot be read or is unsound.
std::optional<std::vector<show::HostPlanEntry>> ReadStorePlan(const std::string& path,
                                                              messages::Doing doing);

} // namespace cli
