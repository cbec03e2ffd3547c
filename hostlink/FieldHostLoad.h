#pragma once

#include "FieldLoad.h"

namespace hostlink {

// One host of a field load from start to end, on the calling thread: its
// name, then the show. Every change goes to `report`.
FieldHostState LoadOneFieldHost(const std::vector<store::CueRecord>& cues, const FieldHost& host,
                                const std::function<void(const FieldHostState&)>& report,
                                std::stop_token cancel, const HostLinkMaker& makeLink);

} // namespace hostlink
