#include "messages/FailureMessage.h"
#include "resources/strings/Strings.h"
#include "show/ShowCheck.h"
#include "tools/cli/CheckReportOutput.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/CommandSetup.h"
#include "tools/cli/Commands.h"
#include "tools/cli/JsonOutput.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace cli {

namespace {

int RunCheck(const StoreReadOptions& options)
{
    const std::optional<show::ShowCheckReport> report = CheckStore(options.store);
    if (!report)
        return kFailure;
    if (options.json)
        WriteJsonResult(CheckReportJson(*report));
    else
        WriteCheckReport(std::cout, *report);
    std::cout.flush();
    return report->Errors() > 0 ? kFailure : kSuccess;
}

} // namespace

void AddCheckCommand(CLI::App& app, CommandRun& run)
{
    AddReadCommand(app, run, "check", strings::kCliCheckHelp, RunCheck);
}

} // namespace cli
