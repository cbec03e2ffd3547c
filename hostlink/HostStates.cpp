#include "hostlink/HostStates.h"

#include "hostlink/FrameDigest.h"
#include "hostlink/LoadDownloadCues.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostLoadLog.h"
#include "show/HostPlan.h"

#include <algorithm>

namespace hostlink {

std::vector<show::HostStatus> HostStatesOf(std::span<const show::Cue> cues,
                                           const std::vector<show::HostPlanEntry>& plan,
                                           const std::vector<store::HostLoadRecord>& records)
{
    return show::WorkOutHostStates(plan, records, ShowDigest(cues));
}

std::vector<show::HostStatus> ReadHostStates(const std::string& path)
{
    const std::vector<show::HostPlanEntry> plan = show::ReadHostPlanChecked(path);
    if (plan.empty())
        return {};
    const std::vector<store::HostLoadRecord> records = show::LoadHostLoads(path);
    if (records.empty()) // every host never: the show need not be read
        return show::WorkOutHostStates(plan, records, std::nullopt);
    return HostStatesOf(LoadDownloadCues(path), plan, records);
}

std::vector<FieldHost> StaleHosts(const std::vector<FieldHost>& hosts,
                                  const std::vector<show::HostStatus>& states)
{
    std::vector<FieldHost> stale;
    for (const FieldHost& host : hosts) {
        const bool current =
            std::any_of(states.begin(), states.end(), [&host](const show::HostStatus& s) {
                return s.hostName == host.hostName && s.hostCode == host.hostCode &&
                       s.state == show::HostState::kCurrent;
            });
        if (!current)
            stale.push_back(host);
    }
    return stale;
}

} // namespace hostlink
