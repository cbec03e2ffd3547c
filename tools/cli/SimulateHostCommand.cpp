#include "resources/strings/Strings.h"
#include "tools/cli/Commands.h"
#include "tools/virtual-host/VirtualHostArguments.h"
#include "tools/virtual-host/VirtualHostRun.h"

#include <CLI/CLI.hpp>
#include <memory>

namespace cli {

void AddSimulateHostCommand(CLI::App& app, CommandRun& run)
{
    auto arguments = std::make_shared<VirtualHostArguments>();
    CLI::App* command = app.add_subcommand("simulate-host", strings::kCliSimulateHostHelp);
    AddVirtualHostOptions(*command, *arguments);
    command->callback([arguments, &run] {
        run = [arguments] { return RunVirtualHost(*arguments, "tavrin-cli simulate-host"); };
    });
}

} // namespace cli
