#include "hostlink/HostLinkOptions.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/HostPlan.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/Commands.h"
#include "tools/cli/JsonOutput.h"
#include "tools/cli/PlanEntryText.h"
#include "tools/cli/StoreCues.h"
#include "tools/cli/TextTable.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

namespace cli {

namespace {

struct PlanOptions
{
    std::string store;
    bool json = false;
    std::vector<std::string> set;
    std::vector<std::string> remove;
};

std::string AddressOf(int hostCode)
{
    return hostlink::HostAddressText({}, hostCode);
}

void WritePlan(const std::vector<show::HostPlanEntry>& plan,
               const std::map<std::string, int>& showHosts)
{
    if (plan.empty())
        std::cerr << strings::kPlanEmpty << '\n';
    std::vector<TextRow> rows = {{strings::kFieldColumnHost, strings::kFieldColumnCode,
                                  strings::kFieldColumnAddress, strings::kFieldColumnCues}};
    for (const show::HostPlanEntry& entry : plan) {
        const auto found = showHosts.find(entry.HostName);
        rows.push_back({entry.HostName, std::to_string(entry.HostCode), AddressOf(entry.HostCode),
                        std::to_string(found == showHosts.end() ? 0 : found->second)});
    }
    for (const auto& [name, cues] : showHosts)
        if (std::none_of(plan.begin(), plan.end(),
                         [&name = name](const auto& e) { return e.HostName == name; }))
            rows.push_back({name, "-", "-", std::to_string(cues)});
    WriteAligned(std::cout, rows);
}

nlohmann::ordered_json PlanJson(const std::vector<show::HostPlanEntry>& plan,
                                const std::map<std::string, int>& showHosts)
{
    nlohmann::ordered_json hosts = nlohmann::ordered_json::array();
    for (const show::HostPlanEntry& entry : plan) {
        const auto found = showHosts.find(entry.HostName);
        hosts.push_back({{"host", entry.HostName},
                         {"host_code", entry.HostCode},
                         {"address", AddressOf(entry.HostCode)},
                         {"cues", found == showHosts.end() ? 0 : found->second}});
    }
    nlohmann::ordered_json unplanned = nlohmann::ordered_json::array();
    for (const auto& [name, cues] : showHosts)
        if (std::none_of(plan.begin(), plan.end(),
                         [&name = name](const auto& e) { return e.HostName == name; }))
            unplanned.push_back({{"host", name}, {"cues", cues}});
    return {{"plan", hosts},
            {"unplanned", unplanned},
            {"unused", show::UnusedPlanNames(plan, showHosts)}};
}

// The plan after the changes asked for, saved; or the plan as it stands,
// which must be sound. Nothing, after saying why, otherwise.
std::optional<std::vector<show::HostPlanEntry>>
PlanToShow(const PlanOptions& options, const std::vector<show::HostPlanEntry>& set)
{
    const bool changing = !set.empty() || !options.remove.empty();
    try {
        if (changing)
            return show::ChangeHostPlan(options.store, set, options.remove);
        return show::ReadHostPlanChecked(options.store);
    } catch (const show::Failure& failure) {
        PrintFailure(failure, changing ? messages::Doing::kSaving : messages::Doing::kPlanning);
        if (failure.Code() == show::FailureCode::kPlanUnsound)
            PrintError(strings::kCliPlanMend);
    }
    return std::nullopt;
}

int RunPlan(const PlanOptions& options)
{
    std::vector<show::HostPlanEntry> set;
    for (const std::string& text : options.set)
        set.push_back(ParsePlanEntry(text));
    // The rules of `assign` for the names, before the store is opened.
    try {
        set = show::PlanWithStoredNames(std::move(set));
    } catch (const show::Failure& refusal) {
        PrintFailure(refusal, messages::Doing::kAssigning);
        return kFailure;
    }
    const std::optional<std::vector<show::Cue>> cues = ReadStoreCues(options.store);
    if (!cues)
        return kFailure;
    const std::map<std::string, int> showHosts = show::CuesByHostName(*cues);
    const std::optional<std::vector<show::HostPlanEntry>> plan = PlanToShow(options, set);
    if (!plan)
        return kFailure;
    for (const std::string& name : show::UnusedPlanNames(*plan, showHosts))
        PrintError(strings::FormatText(strings::kPlanNameUnused, name.c_str()));
    if (options.json)
        return WriteJsonResult(PlanJson(*plan, showHosts));
    WritePlan(*plan, showHosts);
    return OutputResult();
}

} // namespace

void AddPlanCommand(CLI::App& app, CommandRun& run)
{
    auto options = std::make_shared<PlanOptions>();
    CLI::App* command = app.add_subcommand("plan", strings::kCliPlanHelp);
    command->add_option("STORE", options->store, strings::kCliStoreHelp)->required();
    command->add_flag("--json", options->json, strings::kCliJsonHelp);
    command->add_option("--set", options->set, strings::kCliPlanSetHelp)->type_name("NAME=CODE");
    command->add_option("--remove", options->remove, strings::kCliPlanRemoveHelp)
        ->type_name("NAME");
    command->callback([options, &run] { run = [options] { return RunPlan(*options); }; });
}

} // namespace cli
