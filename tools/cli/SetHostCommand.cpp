#include "CliCommon.h"
#include "CommandSetup.h"
#include "Commands.h"
#include "HostNameSetting.h"
#include "HostNameText.h"
#include "StoreCues.h"
#include "TargetOption.h"
#include "TerminalPrompt.h"
#include "strings/FormatText.h"
#include "strings/Strings.h"

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
    const std::optional<std::vector<store::CueRecord>> cues = ReadStoreCues(options.store);
    if (!cues)
        return kFailure;
    // As in the window, only a name of the show can be sent: a typo would
    // give the host a name that none of its cues carries.
    const std::string wanted = editor::TrimHostName(options.name);
    const auto entry = std::find_if(cues->begin(), cues->end(), [&](const store::CueRecord& cue) {
        return !wanted.empty() && editor::TrimHostName(cue.HostName) == wanted;
    });
    TerminalPrompt prompt;
    if (entry == cues->end() && !wanted.empty()) {
        PrintError(strings::FormatText(strings::kCliHostNotInShow, options.name.c_str()));
        return kFailure;
    }
    // An empty name goes through the dialog's own name check and message.
    const std::string name = entry == cues->end() ? options.name : entry->HostName;
    hostlink::HostNameSetting setting(prompt, link);
    return setting.SetHost({{name, true}}, options.hostCode) ? kSuccess : kFailure;
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
