#include "CliCommon.h"
#include "Commands.h"
#include "FormatText.h"
#include "HostNameSetting.h"
#include "HostNameText.h"
#include "ShowCues.h"
#include "TargetOption.h"
#include "TerminalPrompt.h"
#include "strings/Strings.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>

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
    const editor::ShowCues show = editor::ReadShowCues(options.store);
    switch (show.status) {
    case editor::ShowCues::kRead:
        break;
    case editor::ShowCues::kNoLayoutTable:
        PrintError(strings::kNoLayoutTable);
        return kFailure;
    case editor::ShowCues::kUnreadable:
        PrintError(editor::FormatText(strings::kLoadFailed, show.detail.c_str()));
        return kFailure;
    }
    // As in the window, only a name of the show can be sent: a typo would
    // give the host a name that none of its cues carries.
    const std::string wanted = editor::TrimHostName(options.name);
    const auto entry =
        std::find_if(show.cues.begin(), show.cues.end(), [&](const store::CueRecord& cue) {
            return !wanted.empty() && editor::TrimHostName(cue.HostName) == wanted;
        });
    TerminalPrompt prompt;
    if (entry == show.cues.end() && !wanted.empty()) {
        PrintError(editor::FormatText(strings::kCliHostNotInShow, options.name.c_str()));
        return kFailure;
    }
    // An empty name goes through the dialog's own name check and message.
    const std::string name = entry == show.cues.end() ? options.name : entry->HostName;
    hostlink::HostNameSetting setting(prompt, link);
    return setting.SetHost({{name, true}}, options.hostCode) ? kSuccess : kFailure;
}

} // namespace

void AddSetHostCommand(CLI::App& app, CommandRun& run)
{
    auto options = std::make_shared<SetHostOptions>();
    CLI::App* command = app.add_subcommand("set-host", strings::kCliSetHostHelp);
    command->add_option("STORE", options->store, strings::kCliStoreHelp)->required();
    command->add_option("--name", options->name, strings::kCliNameHelp)
        ->type_name("NAME")
        ->required();
    command->add_option("--host-code", options->hostCode, strings::kCliHostCodeHelp)
        ->type_name("N")
        ->required();
    command->add_option("--target", options->target, strings::kCliTargetHelp)
        ->type_name("ADDR:PORT");
    command->callback([options, &run] { run = [options] { return RunSetHost(*options); }; });
}

} // namespace cli
