#include "CheckReportOutput.h"
#include "CliCommon.h"
#include "CommandSetup.h"
#include "Commands.h"
#include "JsonOutput.h"
#include "ShowCheck.h"
#include "strings/Strings.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace cli {

namespace {

int RunCheck(const StoreReadOptions& options)
{
    const editor::ShowCheckReport report = editor::CheckShowStore(options.store);
    if (options.json)
        WriteJsonResult(CheckReportJson(report));
    else
        WriteCheckReport(std::cout, report);
    std::cout.flush();
    return report.Errors() > 0 ? kFailure : kSuccess;
}

} // namespace

void AddCheckCommand(CLI::App& app, CommandRun& run)
{
    AddReadCommand(app, run, "check", strings::kCliCheckHelp, RunCheck);
}

} // namespace cli
