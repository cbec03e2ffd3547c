#pragma once

#include <functional>

namespace CLI {
class App;
}

namespace cli {

// What the chosen subcommand will do, once the whole command line is parsed;
// its result is the exit code.
using CommandRun = std::function<int()>;

// Each adds one subcommand to the program; when the command line names it,
// its run is put into `run`.
void AddImportCommand(CLI::App& app, CommandRun& run);
void AddShowCommand(CLI::App& app, CommandRun& run);
void AddAssignCommand(CLI::App& app, CommandRun& run);
void AddHostsCommand(CLI::App& app, CommandRun& run);
void AddCheckCommand(CLI::App& app, CommandRun& run);
void AddDownloadCommand(CLI::App& app, CommandRun& run);
void AddSetHostCommand(CLI::App& app, CommandRun& run);
void AddSimulateHostCommand(CLI::App& app, CommandRun& run);
void AddPlanCommand(CLI::App& app, CommandRun& run);
void AddStatusCommand(CLI::App& app, CommandRun& run);

} // namespace cli
