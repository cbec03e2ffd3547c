// tavrin-cli: the show designer's commands from a terminal, for scripts, for
// a laptop in the field and for a dry run against the virtual firing host.
// Exit codes: 0 success, 1 failure, 2 usage error.
#include "platform/Console.h"
#include "resources/strings/Strings.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/Commands.h"
#include "tools/cli/StandardStreams.h"

#include <CLI/CLI.hpp>
#include <exception>

namespace {

int Run(int argc, char** argv)
{
    CLI::App app(strings::kCliDescription, "tavrin-cli");
    // The same command line on every system: /path is a path, never an
    // option written the Windows way.
    app.allow_windows_style_options(false);
    app.set_version_flag("--version", "tavrin-cli " TAVRIN_VERSION);
    app.require_subcommand(1);
    cli::CommandRun run;
    cli::AddImportCommand(app, run);
    cli::AddShowCommand(app, run);
    cli::AddAssignCommand(app, run);
    cli::AddHostsCommand(app, run);
    cli::AddCheckCommand(app, run);
    cli::AddDownloadCommand(app, run);
    cli::AddSetHostCommand(app, run);
    cli::AddSimulateHostCommand(app, run);
    cli::AddPlanCommand(app, run);
    cli::AddStatusCommand(app, run);
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& done) { // --help, --version
        return app.exit(done);
    } catch (const CLI::ParseError& error) {
        app.exit(error);
        return cli::kUsage;
    }
    try {
        return run ? run() : cli::kUsage;
    } catch (const cli::UsageError& error) {
        cli::PrintError(error.what());
        return cli::kUsage;
    } catch (const std::exception& error) {
        cli::PrintError(error.what());
        return cli::kFailure;
    }
}

} // namespace

int main(int argc, char** argv)
{
    platform::Utf8Arguments arguments(argc, argv);
    platform::PrepareStandardStreams();
    return cli::FinishStandardStreams(Run(arguments.argc(), arguments.argv()));
}
