#include "hostlink/FieldLoad.h"

#include "hostlink/FieldHostLoad.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/EnumNames.h"

#include <algorithm>
#include <thread>

namespace hostlink {

const char* PhaseText(FieldHostState::Phase phase)
{
    static constexpr show::EnumName<FieldHostState::Phase> kTexts[] = {
        {FieldHostState::kWaiting, strings::kFieldWaiting},
        {FieldHostState::kNaming, strings::kFieldNaming},
        {FieldHostState::kDownloading, strings::kFieldDownloading},
        {FieldHostState::kDone, strings::kFieldDone},
        {FieldHostState::kFailed, strings::kFieldFailed},
        {FieldHostState::kCancelled, strings::kFieldCancelled},
    };
    return show::NameIn(kTexts, phase, "");
}

FieldPlanning PlanField(const std::vector<show::Cue>& cues,
                        const std::vector<show::HostPlanEntry>& plan,
                        const std::function<HostLinkOptions(int hostCode)>& linkFor)
{
    FieldPlanning planning;
    const std::map<std::string, int> showHosts = show::CuesByHostName(cues);
    for (const show::HostPlanEntry& entry : plan)
        if (const auto found = showHosts.find(entry.HostName); found != showHosts.end())
            planning.hosts.push_back(
                {entry.HostName, entry.HostCode, linkFor(entry.HostCode), found->second});
    for (const auto& [name, count] : showHosts) {
        const bool planned =
            std::any_of(plan.begin(), plan.end(), [&name = name](const show::HostPlanEntry& e) {
                return e.HostName == name;
            });
        if (!planned)
            planning.unplanned.push_back(name);
    }
    return planning;
}

std::vector<FieldHostState> LoadField(const FieldLoadRequest& request)
{
    std::vector<FieldHostState> states(request.hosts.size());
    {
        std::vector<std::jthread> threads;
        threads.reserve(request.hosts.size());
        for (std::size_t i = 0; i < request.hosts.size(); ++i)
            threads.emplace_back([&request, &states, i] {
                const auto report = [&request, i](const FieldHostState& state) {
                    if (request.observer)
                        request.observer(i, state);
                };
                states[i] = LoadOneFieldHost(request, request.hosts[i], report);
            });
    } // every host's thread has ended here
    return states;
}

bool FieldComplete(const std::vector<FieldHostState>& states)
{
    return std::all_of(states.begin(), states.end(),
                       [](const FieldHostState& s) { return s.phase == FieldHostState::kDone; });
}

} // namespace hostlink
