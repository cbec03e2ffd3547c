#include "AddressPort.h"
#include "CliCommon.h"
#include "Commands.h"
#include "VirtualHostArguments.h"
#include "VirtualHostRun.h"
#include "strings/FormatText.h"
#include "strings/Strings.h"

#include <CLI/CLI.hpp>
#include <memory>

namespace cli {

namespace {

struct SimulateOptions
{
    std::string listen;
    std::string refuseFrame, silentFrom, replyDelay, replyFromAddress, decoyFromAddress, exitAfter;
    bool replyFromOtherPort = false;
    bool replyFiveBytes = false;
};

// The virtual host's own command line, so that its checks and ranges apply
// here unchanged.
std::vector<std::string> VirtualHostArgs(const SimulateOptions& options)
{
    std::vector<std::string> args;
    if (!options.listen.empty()) {
        const std::optional<AddressPort> listen = ParseAddressPort(options.listen, true);
        if (!listen)
            throw UsageError(strings::FormatText(strings::kCliBadAddressPort, "--listen",
                                                 options.listen.c_str()));
        args = {"--address", listen->address, "--port", std::to_string(listen->port)};
    }
    const std::pair<const char*, const std::string*> valued[] = {
        {"--refuse-frame", &options.refuseFrame},
        {"--silent-from", &options.silentFrom},
        {"--reply-delay", &options.replyDelay},
        {"--reply-from-address", &options.replyFromAddress},
        {"--decoy-from-address", &options.decoyFromAddress},
        {"--exit-after", &options.exitAfter},
    };
    for (const auto& [option, value] : valued)
        if (!value->empty())
            args.insert(args.end(), {option, *value});
    if (options.replyFromOtherPort)
        args.emplace_back("--reply-from-other-port");
    if (options.replyFiveBytes)
        args.emplace_back("--reply-five-bytes");
    return args;
}

int RunSimulateHost(const SimulateOptions& options)
{
    VirtualHostArguments arguments;
    std::string error;
    if (!ParseVirtualHostArguments(VirtualHostArgs(options), arguments, error))
        throw UsageError(error);
    return RunVirtualHost(arguments, "tavrin-cli simulate-host");
}

} // namespace

void AddSimulateHostCommand(CLI::App& app, CommandRun& run)
{
    auto o = std::make_shared<SimulateOptions>();
    CLI::App* command = app.add_subcommand("simulate-host", strings::kCliSimulateHostHelp);
    command->add_option("--listen", o->listen, strings::kCliListenHelp)->type_name("ADDR:PORT");
    command->add_option("--refuse-frame", o->refuseFrame, strings::kCliRefuseFrameHelp)
        ->type_name("K");
    command->add_option("--silent-from", o->silentFrom, strings::kCliSilentFromHelp)
        ->type_name("K");
    command->add_flag("--reply-from-other-port", o->replyFromOtherPort, strings::kCliOtherPortHelp);
    command->add_flag("--reply-five-bytes", o->replyFiveBytes, strings::kCliFiveBytesHelp);
    command->add_option("--reply-delay", o->replyDelay, strings::kCliReplyDelayHelp)
        ->type_name("MS");
    command->add_option("--reply-from-address", o->replyFromAddress, strings::kCliReplyAddressHelp)
        ->type_name("A");
    command->add_option("--decoy-from-address", o->decoyFromAddress, strings::kCliDecoyHelp)
        ->type_name("A");
    command->add_option("--exit-after", o->exitAfter, strings::kCliExitAfterHelp)->type_name("N");
    command->callback([o, &run] { run = [o] { return RunSimulateHost(*o); }; });
}

} // namespace cli
