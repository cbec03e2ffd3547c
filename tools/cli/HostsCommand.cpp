#include "CliCommon.h"
#include "CommandSetup.h"
#include "Commands.h"
#include "HostLoadSheet.h"
#include "HostPlan.h"
#include "JsonOutput.h"
#include "LayoutTable.h"
#include "LoadSheet.h"
#include "LoadSheetPdf.h"
#include "StoreCues.h"
#include "TextTable.h"
#include "strings/FormatText.h"
#include "strings/Strings.h"

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

int WritePrintable(const HostsOptions& options, const std::vector<store::CueRecord>& cues)
{
    // A store without a plan (or one that cannot hold one) gives no codes.
    const std::vector<editor::LoadSheet> sheets = editor::BuildLoadSheets(
        cues, editor::PlannedHostCodes(hostlink::LoadHostPlan(options.store).entries));
    if (options.csv) {
        WriteCsv(std::cout, editor::LoadSheetTable(sheets));
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

int RunHosts(const HostsOptions& options)
{
    const std::optional<std::vector<store::CueRecord>> cues = ReadStoreCues(options.store);
    if (!cues)
        return kFailure;
    if (options.csv || !options.pdf.empty())
        return WritePrintable(options, *cues);
    const std::vector<editor::HostLoad> sheet = editor::BuildHostLoadSheet(*cues);
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
