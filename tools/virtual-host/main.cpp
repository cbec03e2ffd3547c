// tavrin-virtual-host: plays one firing host or several (--listen, repeatable)
// and prints every frame it gets as one JSON line on standard output. The
// first lines tell where each listens. Ends on SIGINT or SIGTERM, or after
// --exit-after.
#include "platform/Console.h"
#include "resources/strings/Strings.h"
#include "tools/virtual-host/VirtualHostArguments.h"
#include "tools/virtual-host/VirtualHostRun.h"

#include <CLI/CLI.hpp>

int main(int nativeArgc, char** nativeArgv)
{
    platform::Utf8Arguments commandLine(nativeArgc, nativeArgv);
    platform::PrepareStandardStreams();
    const int argc = commandLine.argc();
    char** argv = commandLine.argv();
    CLI::App app(strings::kCliSimulateHostHelp, "tavrin-virtual-host");
    app.allow_windows_style_options(false); // /path is a path, on every system
    VirtualHostArguments arguments;
    AddVirtualHostOptions(app, arguments);
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& done) { // --help
        return app.exit(done);
    } catch (const CLI::ParseError& error) {
        app.exit(error);
        return 2;
    }
    return RunVirtualHost(arguments, "tavrin-virtual-host");
}
