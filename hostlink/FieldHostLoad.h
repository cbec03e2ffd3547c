#pragma once

#include "hostlink/FieldLoad.h"
#include "show/Cue.h"

namespace hostlink {

// One host of a field load from start to end, on the calling thread: its
// name, then the show. Every change goes to `report`.
FieldHostState LoadOneFieldHost(const std::vector<show::Cue>& cues, const FieldHost& host,
                                const std::function<void(const FieldHostState&)>& report,
                                std::stop_token cancel, const HostLinkMaker& makeLink);

} // namespace hostlink
