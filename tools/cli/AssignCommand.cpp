#include "AssignHost.h"
#include "CliCommon.h"
#include "CommandSetup.h"
#include "Commands.h"
#include "LayoutTable.h"
#include "LoadedShow.h"
#include "RowList.h"
#include "SaveShowStore.h"
#include "strings/FormatText.h"
#include "strings/Strings.h"

#include <CLI/CLI.hpp>

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
    // The dialog's rule for the name, before the store is opened.
    if (const char* refusal = editor::AssignHostNameRefusal(options.host)) {
        PrintError(refusal);
        return kFailure;
    }
    LoadedShow show;
    if (!show.Open(options.store, strings::kSaveFailed))
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
    const auto [command, options] =
        AddStoreCommand(app, run, "assign", strings::kCliAssignHelp, RunAssign);
    AddRequiredOption(*command, "--host", options->host, strings::kCliHostHelp, "NAME");
    command->add_option("ROWS", options->rows, strings::kCliRowsHelp)->required();
}

} // namespace cli
