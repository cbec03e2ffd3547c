#pragma once

#include "hostlink/FieldLoad.h"
#include "show/Cue.h"
#include "show/HostLoadState.h"
#include "show/HostPlan.h"
#include "store/HostLoadTable.h"

#include <span>
#include <string>
#include <vector>

namespace hostlink {

// What each host of `plan` holds, from its records and the show `cues` (in
// launch-time order) as a download would send it now.
std::vector<show::HostStatus> HostStatesOf(std::span<const show::Cue> cues,
                                           const std::vector<show::HostPlanEntry>& plan,
                                           const std::vector<store::HostLoadRecord>& records);

// The same for the show store at `path`; a store without a plan gives none,
// read no further. Raises show::Failure: those of show::ReadHostPlanChecked,
// LoadDownloadCues and show::LoadHostLoads.
std::vector<show::HostStatus> ReadHostStates(const std::string& path);

// The hosts of a field that do not hold the show and name as they are now.
std::vector<FieldHost> StaleHosts(const std::vector<FieldHost>& hosts,
                                  const std::vector<show::HostStatus>& states);

} // namespace hostlink
