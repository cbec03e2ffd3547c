#include "editor/CueGridLayout.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/CommandSetup.h"
#include "tools/cli/Commands.h"
#include "tools/cli/JsonOutput.h"
#include "tools/cli/StoreCues.h"
#include "tools/cli/TextTable.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

namespace cli {

namespace {

struct ShowOptions
{
    std::string store;
    bool csv = false;
    bool json = false;
};

// The grid's rows, caption row first, as the window shows them.
std::vector<TextRow> GridRows(const std::vector<show::Cue>& cues)
{
    std::vector<TextRow> rows;
    rows.reserve(cues.size() + 1);
    TextRow captions;
    for (const editor::CueGridColumn& column : editor::kCueGridColumns)
        captions.push_back(column.caption);
    rows.push_back(std::move(captions));
    for (const show::Cue& cue : cues) {
        const auto texts = show::CueCellTexts(cue);
        rows.emplace_back(texts.begin(), texts.end());
    }
    return rows;
}

// One object per cue row, keyed by the column captions.
nlohmann::ordered_json GridJson(const std::vector<TextRow>& rows)
{
    nlohmann::ordered_json cues = nlohmann::ordered_json::array();
    for (std::size_t r = 1; r < rows.size(); ++r) {
        nlohmann::ordered_json cue = nlohmann::ordered_json::object();
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            cue[rows[0][c]] = rows[r][c];
        cues.push_back(std::move(cue));
    }
    return cues;
}

int RunShow(const ShowOptions& options)
{
    const std::optional<std::vector<show::Cue>> cues = ReadStoreCues(options.store);
    if (!cues)
        return kFailure;
    const std::vector<TextRow> rows = GridRows(*cues);
    if (options.json)
        return WriteJsonResult(GridJson(rows));
    if (options.csv)
        WriteCsv(std::cout, rows);
    else
        WriteAligned(std::cout, rows);
    return OutputResult();
}

} // namespace

void AddShowCommand(CLI::App& app, CommandRun& run)
{
    const auto [command, options] =
        AddStoreCommand(app, run, "show", strings::kCliShowHelp, RunShow);
    CLI::Option* csv = command->add_flag("--csv", options->csv, strings::kCliCsvHelp);
    CLI::Option* json = command->add_flag("--json", options->json, strings::kCliJsonHelp);
    csv->excludes(json);
}

} // namespace cli
