#include "CliCommon.h"
#include "CommandSetup.h"
#include "Commands.h"
#include "HostLoadSheet.h"
#include "JsonOutput.h"
#include "LayoutTable.h"
#include "StoreCues.h"
#include "TextTable.h"
#include "strings/Strings.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

namespace cli {

namespace {

std::string ModulesText(const std::vector<std::int32_t>& modules)
{
    std::string text;
    for (const std::int32_t module : modules)
        text += (text.empty() ? "" : ",") + std::to_string(module);
    return text;
}

void WriteSheet(const std::vector<editor::HostLoad>& sheet)
{
    std::vector<TextRow> rows = {{strings::kColHost, strings::kCliColumnCues,
                                  strings::kCliColumnFirstLaunch, strings::kCliColumnLastLaunch,
                                  strings::kCliColumnModules}};
    for (const editor::HostLoad& load : sheet)
        rows.push_back({load.host, std::to_string(load.cues),
                        store::FormatLaunchTime(load.firstLaunch),
                        store::FormatLaunchTime(load.lastLaunch), ModulesText(load.modules)});
    WriteAligned(std::cout, rows);
}

nlohmann::ordered_json SheetJson(const std::vector<editor::HostLoad>& sheet)
{
    nlohmann::ordered_json hosts = nlohmann::ordered_json::array();
    for (const editor::HostLoad& load : sheet)
        hosts.push_back({{"host", load.host},
                         {"cues", load.cues},
                         {"first_launch_ms", load.firstLaunch},
                         {"first_launch", store::FormatLaunchTime(load.firstLaunch)},
                         {"last_launch_ms", load.lastLaunch},
                         {"last_launch", store::FormatLaunchTime(load.lastLaunch)},
                         {"modules", load.modules}});
    return hosts;
}

int RunHosts(const StoreReadOptions& options)
{
    const std::optional<std::vector<store::CueRecord>> cues = ReadStoreCues(options.store);
    if (!cues)
        return kFailure;
    const std::vector<editor::HostLoad> sheet = editor::BuildHostLoadSheet(*cues);
    if (options.json)
        return WriteJsonResult(SheetJson(sheet));
    WriteSheet(sheet);
    return OutputResult();
}

} // namespace

void AddHostsCommand(CLI::App& app, CommandRun& run)
{
    AddReadCommand(app, run, "hosts", strings::kCliHostsHelp, RunHosts);
}

} // namespace cli
