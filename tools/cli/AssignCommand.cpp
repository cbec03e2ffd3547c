#include "editor/AssignHost.h"
#include "editor/CueRule.h"
#include "editor/SaveShowStore.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/LaunchTime.h"
#include "store/LayoutTable.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/CommandSetup.h"
#include "tools/cli/Commands.h"
#include "tools/cli/LoadedShow.h"
#include "tools/cli/RowList.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>

namespace cli {

namespace {

struct AssignOptions
{
    std::string store;
    std::string host;
    std::optional<std::string> rows;
    std::optional<std::string> modules;
    std::optional<std::string> channels;
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<std::string> event;
    std::optional<std::string> current;
};

template <typename Value, typename Parse>
std::optional<Value> Parsed(const std::optional<std::string>& text, const char* option, Parse parse)
{
    if (!text)
        return std::nullopt;
    const std::optional<Value> value = parse(*text);
    if (!value)
        throw UsageError(strings::FormatText(strings::kCliBadRuleValue, option, text->c_str()));
    return value;
}

editor::CueRule RuleOf(const AssignOptions& options)
{
    editor::CueRule rule;
    rule.modules =
        Parsed<editor::NumberRange>(options.modules, "--modules", editor::ParseNumberRange);
    rule.channels =
        Parsed<editor::NumberRange>(options.channels, "--channels", editor::ParseNumberRange);
    rule.from = Parsed<std::int32_t>(options.from, "--from", show::ParseLaunchTime);
    rule.to = Parsed<std::int32_t>(options.to, "--to", show::ParseLaunchTime);
    rule.event = Parsed<std::int32_t>(options.event, "--event", editor::ParseWholeNumber);
    rule.currentHost = options.current;
    return rule;
}

// The rows the command line names: those of the positional list (when
// given) that also match every rule option.
std::vector<int> ChosenRows(const AssignOptions& options, const editor::CueRule& rule,
                            LoadedShow& show)
{
    std::vector<int> rows = editor::MatchingCueRows(show.Grid(), rule);
    if (!options.rows)
        return rows;
    const std::optional<RowRanges> ranges = ParseRowList(*options.rows);
    if (!ranges)
        throw UsageError(strings::FormatText(strings::kCliBadRows, options.rows->c_str()));
    int outOfRange = 0;
    const std::optional<std::vector<int>> listed = RowsWithin(*ranges, show.CueRows(), outOfRange);
    if (!listed)
        throw UsageError(
            strings::FormatText(strings::kCliRowOutOfRange, outOfRange, show.CueRows()));
    std::vector<int> both;
    std::set_intersection(listed->begin(), listed->end(), rows.begin(), rows.end(),
                          std::back_inserter(both));
    return both;
}

int RunAssign(const AssignOptions& options)
{
    const editor::CueRule rule = RuleOf(options);
    if (!options.rows && rule.Empty())
        throw UsageError(strings::kCliAssignNothingChosen);
    // The dialog's rule for the name, before the store is opened.
    if (const char* refusal = editor::AssignHostNameRefusal(options.host)) {
        PrintError(refusal);
        return kFailure;
    }
    LoadedShow show;
    if (!show.Open(options.store, strings::kSaveFailed))
        return kFailure;
    const std::vector<int> rows = ChosenRows(options, rule, show);
    if (rows.empty()) {
        PrintError(strings::kCliAssignNoMatch);
        return kFailure;
    }
    // The rows change in the grid only; Save then writes every name in one
    // transaction after its own checks, or nothing.
    editor::SetHostOfRows(show.Grid(), rows, options.host);
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
    command->add_option("ROWS", options->rows, strings::kCliRowsHelp);
    command->add_option("--modules", options->modules, strings::kCliModulesHelp)->type_name("A-B");
    command->add_option("--channels", options->channels, strings::kCliChannelsHelp)
        ->type_name("A-B");
    command->add_option("--from", options->from, strings::kCliFromHelp)->type_name("TIME");
    command->add_option("--to", options->to, strings::kCliToHelp)->type_name("TIME");
    command->add_option("--event", options->event, strings::kCliEventHelp)->type_name("N");
    command->add_option("--current", options->current, strings::kCliCurrentHelp)->type_name("NAME");
}

} // namespace cli
