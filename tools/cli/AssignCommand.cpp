#include "CliCommon.h"
#include "Commands.h"
#include "LayoutTable.h"
#include "LoadedShow.h"
#include "RowList.h"
#include "SaveShowStore.h"
#include "strings/FormatText.h"
#include "strings/Strings.h"

#include <CLI/CLI.hpp>
#include <memory>

namespace cli {

namespace {

struct AssignOptions
{
    std::string store;
    std::string host;
    std::string rows;
};

int RunAssign(const AssignOptions& options)
{
    const std::optional<RowRanges> ranges = ParseRowList(options.rows);
    if (!ranges)
        throw UsageError(strings::FormatText(strings::kCliBadRows, options.rows.c_str()));
    LoadedShow show;
    if (!show.Open(options.store))
        return kFailure;
    int outOfRange = 0;
    const std::optional<std::vector<int>> rows = RowsWithin(*ranges, show.CueRows(), outOfRange);
    if (!rows)
        throw UsageError(
            strings::FormatText(strings::kCliRowOutOfRange, outOfRange, show.CueRows()));
    // The rows change in the grid only; Save then writes every name in one
    // transaction after its own checks, or nothing.
    for (const int row : *rows)
        show.Grid().SetCellText(row, store::kColumnHost, options.host);
    editor::ShowContext context = show.Context();
    editor::SaveShowStore(context);
    return show.Prompt().Shown(strings::kSaveDone) ? kSuccess : kFailure;
}

} // namespace

void AddAssignCommand(CLI::App& app, CommandRun& run)
{
    auto options = std::make_shared<AssignOptions>();
    CLI::App* command = app.add_subcommand("assign", strings::kCliAssignHelp);
    command->add_option("STORE", options->store, strings::kCliStoreHelp)->required();
    command->add_option("--host", options->host, strings::kCliHostHelp)
        ->type_name("NAME")
        ->required();
    command->add_option("ROWS", options->rows, strings::kCliRowsHelp)->required();
    command->callback([options, &run] { run = [options] { return RunAssign(*options); }; });
}

} // namespace cli
