#include "platform/Utf8Path.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/HostPlan.h"
#include "show/LaunchTime.h"
#include "show/LoadSheet.h"
#include "show/OutputFile.h"
#include "show/SheetSummary.h"
#include "show/ShowReader.h"
#include "store/LayoutTable.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/CommandSetup.h"
#include "tools/cli/Commands.h"
#include "tools/cli/JsonOutput.h"
#include "tools/cli/SheetPdf.h"
#include "tools/cli/StoreCues.h"
#include "tools/cli/TextTable.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

namespace cli {

namespace {

struct HostsOptions
{
    std::string store;
    bool json = false;
    bool csv = false;
    std::string csvFile; // with --csv FILE
    std::string pdf;
};

// The CSV as text, for a file that is written whole or not at all.
std::string CsvText(const std::vector<show::LoadSheet>& sheets)
{
    std::ostringstream csv;
    WriteCsv(csv, show::LoadSheetTable(sheets));
    return csv.str();
}

// The sheets into the file of --csv FILE or --pdf FILE.
int WriteSheetFile(const HostsOptions& options, show::OutputFile& file,
                   const std::vector<show::LoadSheet>& sheets)
{
    if (options.csv) {
        file.Write(CsvText(sheets));
        file.Commit();
        return kSuccess;
    }
    return WriteSheetPdf(file, sheets,
                         platform::Utf8FromPath(platform::PathFromUtf8(options.store).filename()));
}

std::string ModulesText(const std::vector<std::int32_t>& modules)
{
    std::string text;
    for (const std::int32_t module : modules)
        text += (text.empty() ? "" : ",") + std::to_string(module);
    return text;
}

std::string CodeText(const std::optional<int>& code)
{
    return code ? std::to_string(*code) : "-";
}

void WriteSheet(const std::vector<show::LoadSheet>& sheets)
{
    std::vector<TextRow> rows = {{strings::kColHost, strings::kSheetHostCode,
                                  strings::kCliColumnCues, strings::kCliColumnFirstLaunch,
                                  strings::kCliColumnLastLaunch, strings::kCliColumnModules}};
    for (const show::LoadSheet& sheet : sheets) {
        const show::SheetSummary& load = sheet.summary;
        rows.push_back({load.host, CodeText(sheet.hostCode), std::to_string(load.cues),
                        show::FormatLaunchTime(load.firstLaunch),
                        show::FormatLaunchTime(load.lastLaunch), ModulesText(load.modules)});
    }
    WriteAligned(std::cout, rows);
}

nlohmann::ordered_json SheetJson(const std::vector<show::LoadSheet>& sheets)
{
    nlohmann::ordered_json hosts = nlohmann::ordered_json::array();
    for (const show::LoadSheet& sheet : sheets) {
        const show::SheetSummary& load = sheet.summary;
        hosts.push_back({{"host", load.host},
                         {"host_code", sheet.hostCode ? nlohmann::ordered_json(*sheet.hostCode)
                                                      : nlohmann::ordered_json(nullptr)},
                         {"cues", load.cues},
                         {"first_launch_ms", load.firstLaunch},
                         {"first_launch", show::FormatLaunchTime(load.firstLaunch)},
                         {"last_launch_ms", load.lastLaunch},
                         {"last_launch", show::FormatLaunchTime(load.lastLaunch)},
                         {"modules", load.modules}});
    }
    return hosts;
}

// The sheets of the show with the codes of its plan, which must be sound;
// nothing, after saying why, when the store or its plan cannot be used.
std::optional<std::vector<show::LoadSheet>> ReadSheets(const std::string& store)
{
    const std::optional<std::vector<show::Cue>> cues = ReadStoreCues(store);
    if (!cues)
        return std::nullopt;
    try {
        return show::BuildLoadSheets(*cues,
                                     show::PlannedHostCodes(show::ReadHostPlanChecked(store)));
    } catch (const show::Failure& failure) {
        PrintFailure(failure, messages::Doing::kOpening);
    }
    return std::nullopt;
}

// The sheets without their modules' cues, which the table and --json do
// not show: the show's summaries made as it streams, with the codes of its
// plan. Nothing, after saying why, as ReadSheets.
std::optional<std::vector<show::LoadSheet>> ReadSummaries(const std::string& store)
{
    // One builder for each run of the show, read at once, then joined.
    std::vector<show::SheetSummaryBuilder> parts(show::ShowReadingRuns());
    std::vector<show::ShowRun> runs;
    for (show::SheetSummaryBuilder& part : parts)
        runs.push_back({[&part](show::Cue& cue) { part.Add(cue); }, {}});
    show::SheetSummaryBuilder& summaries = parts.front();
    try {
        show::ForEachShowFileCueInRuns(store, show::CueFields::kShown, runs);
        for (std::size_t p = 1; p < parts.size(); ++p)
            summaries.Merge(std::move(parts[p]));
        const show::HostCodeLookup codes = show::PlannedHostCodes(show::ReadHostPlanChecked(store));
        std::vector<show::LoadSheet> sheets;
        for (show::SheetSummary& summary : summaries.Finish()) {
            show::LoadSheet& sheet = sheets.emplace_back();
            sheet.hostCode = codes(summary.host);
            sheet.summary = std::move(summary);
        }
        return sheets;
    } catch (const show::Failure& failure) {
        PrintFailure(failure, messages::Doing::kOpening);
    }
    return std::nullopt;
}

int RunHosts(const HostsOptions& options)
{
    try {
        // A target that cannot be written is refused before anything is read.
        std::optional<show::OutputFile> file;
        if (!options.csvFile.empty() || !options.pdf.empty())
            file.emplace(options.csv ? options.csvFile : options.pdf,
                         std::vector<std::string>{options.store});
        const std::optional<std::vector<show::LoadSheet>> sheets =
            file || options.csv ? ReadSheets(options.store) : ReadSummaries(options.store);
        if (!sheets)
            return kFailure;
        if (file)
            return WriteSheetFile(options, *file, *sheets);
        if (options.csv) {
            WriteCsv(std::cout, show::LoadSheetTable(*sheets));
            return OutputResult();
        }
        if (options.json)
            return WriteJsonResult(SheetJson(*sheets));
        WriteSheet(*sheets);
        return OutputResult();
    } catch (const show::Failure& failure) {
        PrintFailure(failure, messages::Doing::kOpening);
        // Naming the file read as the one to write is a mistake of the
        // command line, like two options that exclude each other.
        return failure.Code() == show::FailureCode::kOutputIsInput ? kUsage : kFailure;
    }
}

} // namespace

void AddHostsCommand(CLI::App& app, CommandRun& run)
{
    const auto [command, options] =
        AddStoreCommand(app, run, "hosts", strings::kCliHostsHelp, RunHosts);
    CLI::Option* json = command->add_flag("--json", options->json, strings::kCliJsonHelp);
    CLI::Option* csv = command->add_option("--csv", options->csvFile, strings::kCliCsvFileHelp)
                           ->type_name("[FILE]")
                           ->expected(0, 1);
    CLI::Option* pdf =
        command->add_option("--pdf", options->pdf, strings::kCliPdfHelp)->type_name("FILE");
    json->excludes(csv)->excludes(pdf);
    csv->excludes(pdf);
    command->parse_complete_callback([options, csv] { options->csv = csv->count() > 0; });
}

} // namespace cli
