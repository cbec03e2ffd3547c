#include "CheckReportOutput.h"
#include "CliCommon.h"
#include "Commands.h"
#include "ShowCheck.h"
#include "strings/Strings.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

namespace cli {

namespace {

struct CheckOptions
{
    std::string store;
    bool json = false;
};

int RunCheck(const CheckOptions& options)
{
    const editor::ShowCheckReport report = editor::CheckShowStore(options.store);
    if (options.json)
        std::cout << CheckReportJson(report).dump(2) << '\n';
    else
        WriteCheckReport(std::cout, report);
    std::cout.flush();
    return report.Errors() > 0 ? kFailure : kSuccess;
}

} // namespace

void AddCheckCommand(CLI::App& app, CommandRun& run)
{
    auto options = std::make_shared<CheckOptions>();
    CLI::App* command = app.add_subcommand("check", strings::kCliCheckHelp);
    command->add_option("STORE", options->store, strings::kCliStoreHelp)->required();
    command->add_flag("--json", options->json, strings::kCliJsonHelp);
    command->callback([options, &run] { run = [options] { return RunCheck(*options); }; });
}

} // namespace cli
