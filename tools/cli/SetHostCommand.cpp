#include "hostlink/RecordedConversations.h"
#include "messages/FailureMessage.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/HostCode.h"
#include "show/HostNameRules.h"
#include "show/HostPlan.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/CommandSetup.h"
#include "tools/cli/Commands.h"
#include "tools/cli/RecordedRun.h"
#include "tools/cli/StoreCues.h"
#include "tools/cli/TargetOption.h"

#include <CLI/CLI.hpp>
#include <algorithm>

namespace cli {

namespace {

struct SetHostOptions
{
    std::string store;
    std::string name;
    std::string hostCode;
    std::optional<std::string> target; // none: the field's own address
    bool force = false;
};

// Whether the plan lets `name` go to `hostCode`: not when it gives the code
// to another name, nor when it cannot be read or is unsound (nobody can say
// whom the code belongs to), unless forced; the window asks there instead.
bool PlanAllows(const SetHostOptions& options, int hostCode, const std::string& name)
{
    if (options.force)
        return true;
    const std::optional<std::vector<show::HostPlanEntry>> plan =
        ReadStorePlan(options.store, messages::Doing::kPlanning);
    if (!plan) {
        PrintError(strings::kCliPlanUncheckedRefused);
        return false;
    }
    const show::HostPlanEntry* other = hostlink::OtherNamePlanned(*plan, hostCode, name);
    if (other)
        PrintError(
            strings::FormatText(strings::kCliHostCodeTaken, hostCode, other->HostName.c_str()));
    return !other;
}

int RunSetHost(const SetHostOptions& options)
{
    CheckHostCode(options.hostCode, strings::kHostSettingsNoCode, strings::kHostSettingsBadCode);
    const hostlink::HostLinkOptions link = LinkOptionsFor(options.target);
    const std::optional<std::vector<show::Cue>> cues = ReadStoreCues(options.store);
    if (!cues)
        return kFailure;
    // As in the window, only a name of the show can be sent: a typo would
    // give the host a name that none of its cues carries.
    const std::string wanted = show::TrimHostName(options.name);
    const auto entry = std::find_if(cues->begin(), cues->end(), [&](const show::Cue& cue) {
        return !wanted.empty() && show::TrimHostName(cue.HostName) == wanted;
    });
    if (entry == cues->end() && !wanted.empty()) {
        PrintError(strings::FormatText(strings::kCliHostNotInShow, options.name.c_str()));
        return kFailure;
    }
    // An empty name goes through the dialog's own name check and message.
    hostlink::HostNameChoice name;
    try {
        name = hostlink::ChooseHostName(
            {{entry == cues->end() ? options.name : entry->HostName, true}});
    } catch (const show::Failure& failure) {
        PrintError(messages::FailureText(failure, messages::Doing::kSettingHost));
        return kFailure;
    }
    const int hostCode = show::ReadHostCode(options.hostCode).code;
    if (!PlanAllows(options, hostCode, name.name))
        return kFailure;
    const hostlink::HostConversation host{hostCode, link, {}};
    return RunRecordedConversation(
        options.store,
        [&](hostlink::HostRecorder* recorder) {
            return hostlink::SendHostNameRecorded({host, name.frame}, name.name, recorder);
        },
        [](const hostlink::ConversationResult& result) {
            if (result.Completed())
                PrintError(strings::kHostSettingsDone);
            else if (result.failure)
                PrintError(messages::FailureText(*result.failure, messages::Doing::kSettingHost));
        });
}

} // namespace

void AddSetHostCommand(CLI::App& app, CommandRun& run)
{
    const auto [command, options] =
        AddStoreCommand(app, run, "set-host", strings::kCliSetHostHelp, RunSetHost);
    AddRequiredOption(*command, "--name", options->name, strings::kCliNameHelp, "NAME");
    AddHostLinkOptions(*command, options->hostCode, options->target);
    command->add_flag("--force", options->force, strings::kCliSetHostForceHelp);
}

} // namespace cli
