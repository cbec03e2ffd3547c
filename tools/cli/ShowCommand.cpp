#include "resources/strings/Strings.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/CommandSetup.h"
#include "tools/cli/Commands.h"
#include "tools/cli/JsonOutput.h"
#include "tools/cli/LoadedShow.h"
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
std::vector<TextRow> GridRows(const editor::MemoryGrid& grid)
{
    std::vector<TextRow> rows;
    rows.reserve(static_cast<std::size_t>(grid.GetRowCount()));
    for (int r = 0; r < grid.GetRowCount(); ++r) {
        TextRow row;
        for (int c = 0; c < grid.GetColumnCount(); ++c)
            row.push_back(grid.QueryCell(editor::kQueryCellText, r, c));
        rows.push_back(std::move(row));
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
    LoadedShow show;
    if (!show.Open(options.store))
        return kFailure;
    const std::vector<TextRow> rows = GridRows(show.Grid());
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
