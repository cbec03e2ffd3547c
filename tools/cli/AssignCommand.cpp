#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/CueRule.h"
#include "show/HostNameRules.h"
#include "show/LaunchTime.h"
#include "show/ShowReader.h"
#include "show/ShowSaver.h"
#include "store/LayoutTable.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/CommandSetup.h"
#include "tools/cli/Commands.h"
#include "tools/cli/RowList.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>
#include <optional>

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

show::CueRule RuleOf(const AssignOptions& options)
{
    show::CueRule rule;
    rule.modules = Parsed<show::NumberRange>(options.modules, "--modules", show::ParseNumberRange);
    rule.channels =
        Parsed<show::NumberRange>(options.channels, "--channels", show::ParseNumberRange);
    rule.from = Parsed<std::int32_t>(options.from, "--from", show::ParseLaunchTime);
    rule.to = Parsed<std::int32_t>(options.to, "--to", show::ParseLaunchTime);
    rule.event = Parsed<std::int32_t>(options.event, "--event", show::ParseWholeNumber);
    rule.currentHost = options.current;
    return rule;
}

// The cues the command line names: those of the positional list (when
// given, by row from 1) that also match every rule option.
std::vector<show::CueIndex> ChosenCues(const AssignOptions& options, const show::CueRule& rule,
                                       const show::Show& show)
{
    std::vector<show::CueIndex> cues = show::MatchingCues(show, rule);
    if (!options.rows)
        return cues;
    const std::optional<RowRanges> ranges = ParseRowList(*options.rows);
    if (!ranges)
        throw UsageError(strings::FormatText(strings::kCliBadRows, options.rows->c_str()));
    int outOfRange = 0;
    const int rows = static_cast<int>(show.Size());
    const std::optional<std::vector<int>> listed = RowsWithin(*ranges, rows, outOfRange);
    if (!listed)
        throw UsageError(strings::FormatText(strings::kCliRowOutOfRange, outOfRange, rows));
    std::vector<show::CueIndex> both;
    for (const int row : *listed)
        if (std::binary_search(cues.begin(), cues.end(), static_cast<show::CueIndex>(row - 1)))
            both.push_back(static_cast<show::CueIndex>(row - 1));
    return both;
}

int RunAssign(const AssignOptions& options)
{
    const show::CueRule rule = RuleOf(options);
    if (!options.rows && rule.Empty())
        throw UsageError(strings::kCliAssignNothingChosen);
    // The dialog's rules for the name, before the store is opened.
    try {
        show::CheckHostName(options.host);
    } catch (const show::Failure& refusal) {
        PrintFailure(refusal, messages::Doing::kAssigning);
        return kFailure;
    }
    std::optional<show::Show> show;
    try {
        show.emplace(show::ReadShowFile(options.store));
    } catch (const show::Failure& failure) { // nothing to save yet: it cannot be read
        PrintFailure(failure, messages::Doing::kReadingToAssign);
        return kFailure;
    }
    const std::vector<show::CueIndex> cues = ChosenCues(options, rule, *show);
    if (cues.empty()) {
        PrintError(strings::kCliAssignNoMatch);
        return kFailure;
    }
    try {
        // The cues change in the show only; Save then writes the changed
        // names in one transaction after its own checks, or nothing.
        show->SetHostName(cues, options.host);
        show::SaveHostNamesToFile(options.store, *show);
    } catch (const show::Failure& failure) {
        PrintFailure(failure, messages::Doing::kSaving);
        return kFailure;
    }
    PrintError(strings::kSaveDone);
    return kSuccess;
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
