#include "editor/print/LoadSheetPdf.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/HostLoadSheet.h"
#include "show/HostPlan.h"
#include "show/LaunchTime.h"
#include "show/LoadSheet.h"
#include "store/LayoutTable.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/CommandSetup.h"
#include "tools/cli/Commands.h"
#include "tools/cli/JsonOutput.h"
#include "tools/cli/StoreCues.h"
#include "tools/cli/TextTable.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

namespace cli {

namespace {

struct HostsOptions
{
    std::string store;
    bool json = false;
    bool csv = false;
    std::string pdf;
};

int WritePrintable(const HostsOptions& options, const std::vector<show::Cue>& cues)
{
    // A store without a plan (or one that cannot hold one) gives no codes.
    const std::vector<show::LoadSheet> sheets = show::BuildLoadSheets(
        cues, show::PlannedHostCodes(show::LoadHostPlan(options.store).entries));
    if (options.csv) {
        WriteCsv(std::cout, show::LoadSheetTable(sheets));
        return std::cout.flush() ? kSuccess : kFailure;
    }
    const std::string show = std::filesystem::path(options.store).filename().string();
    if (editor::WriteLoadSheetsPdf(options.pdf, sheets, show))
        return kSuccess;
    PrintError(strings::FormatText(strings::kCliPdfFailed, options.pdf.c_str()));
    return kFailure;
}

std::string ModulesText(const std::vector<std::int32_t>& modules)
{
    std::string text;
    for (const std::int32_t module : modules)
        text += (text.empty() ? "" : ",") + std::to_string(module);
    return text;
}

void WriteSheet(const std::vector<show::HostLoad>& sheet)
{
    std::vector<TextRow> rows = {{strings::kColHost, strings::kCliColumnCues,
                                  strings::kCliColumnFirstLaunch, strings::kCliColumnLastLaunch,
                                  strings::kCliColumnModules}};
    for (const show::HostLoad& load : sheet)
        rows.push_back({load.host, std::to_string(load.cues),
                        show::FormatLaunchTime(load.firstLaunch),
                        show::FormatLaunchTime(load.lastLaunch), ModulesText(load.modules)});
    WriteAligned(std::cout, rows);
}

nlohmann::ordered_json SheetJson(const std::vector<show::HostLoad>& sheet)
{
    nlohmann::ordered_json hosts = nlohmann::ordered_json::array();
    for (const show::HostLoad& load : sheet)
        hosts.push_back({{"host", load.host},
                         {"cues", load.cues},
                         {"first_launch_ms", load.firstLaunch},
                         {"first_launch", show::FormatLaunchTime(load.firstLaunch)},
                         {"last_launch_ms", load.lastLaunch},
                         {"last_launch", show::FormatLaunchTime(load.lastLaunch)},
                         {"modules", load.modules}});
    return hosts;
}

int RunHosts(const HostsOptions& options)
{
    const std::optional<std::vector<show::Cue>> cues = ReadStoreCues(options.store);
    if (!cues)
        return kFailure;
    if (options.csv || !options.pdf.empty())
        return WritePrintable(options, *cues);
    const std::vector<show::HostLoad> sheet = show::BuildHostLoadSheet(*cues);
    if (options.json)
        return WriteJsonResult(SheetJson(sheet));
    WriteSheet(sheet);
    return OutputResult();
}

} // namespace

void AddHostsCommand(CLI::App& app, CommandRun& run)
{
    const auto [command, options] =
        AddStoreCommand(app, run, "hosts", strings::kCliHostsHelp, RunHosts);
    CLI::Option* json = command->add_flag("--json", options->json, strings::kCliJsonHelp);
    CLI::Option* csv = command->add_flag("--csv", options->csv, strings::kCliCsvHelp);
    CLI::Option* pdf =
        command->add_option("--pdf", options->pdf, strings::kCliPdfHelp)->type_name("FILE");
    json->excludes(csv)->excludes(pdf);
    csv->excludes(pdf);
}

} // namespace cli
