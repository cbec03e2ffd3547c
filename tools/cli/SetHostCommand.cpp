#include "hostlink/RecordedConversation.h"
#include "messages/FailureMessage.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/HostCode.h"
#include "show/HostNameRules.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/CommandSetup.h"
#include "tools/cli/Commands.h"
#include "tools/cli/HostLoadRecords.h"
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
    std::string target;
};

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
    const hostlink::HostNameChoice name =
        hostlink::ChooseHostName({{entry == cues->end() ? options.name : entry->HostName, true}});
    if (name.failure) {
        PrintError(messages::FailureText(*name.failure, messages::Doing::kSettingHost));
        return kFailure;
    }
    const hostlink::HostConversation host{show::ReadHostCode(options.hostCode).code, link, {}};
    hostlink::HostLoadRecorder recorder(options.store);
    const hostlink::ConversationResult result =
        hostlink::SendHostNameRecorded({host, name.frame}, name.name, &recorder).result;
    if (result.Completed())
        PrintError(strings::kHostSettingsDone);
    else if (result.failure)
        PrintError(messages::FailureText(*result.failure, messages::Doing::kSettingHost));
    PrintRecordWarnings(recorder);
    return result.Completed() ? kSuccess : kFailure;
}

} // namespace

void AddSetHostCommand(CLI::App& app, CommandRun& run)
{
    const auto [command, options] =
        AddStoreCommand(app, run, "set-host", strings::kCliSetHostHelp, RunSetHost);
    AddRequiredOption(*command, "--name", options->name, strings::kCliNameHelp, "NAME");
    AddHostLinkOptions(*command, options->hostCode, options->target);
}

} // namespace cli
