#include "CheckReportOutput.h"
#include "CliCommon.h"
#include "CommandSetup.h"
#include "Commands.h"
#include "DownloadProcedure.h"
#include "InterruptRequest.h"
#include "ShowCheck.h"
#include "TargetOption.h"
#include "TerminalDownloadView.h"
#include "TerminalPrompt.h"
#include "strings/FormatText.h"
#include "strings/Strings.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <unistd.h>

namespace cli {

namespace {

struct DownloadOptions
{
    std::string store;
    std::string hostCode;
    std::string target;
    bool force = false;
};

// The show check before anything is sent: its findings on standard error,
// and false when errors forbid the download.
bool ShowPassesCheck(const DownloadOptions& options)
{
    const editor::ShowCheckReport report = editor::CheckShowStore(options.store);
    if (report.findings.empty())
        return true;
    WriteCheckReport(std::cerr, report);
    std::cerr.flush();
    if (report.Errors() > 0 && !options.force) {
        PrintError(strings::FormatText(strings::kCliCheckRefused, report.Errors()));
        return false;
    }
    return true;
}

int RunDownload(const DownloadOptions& options)
{
    CheckHostCode(options.hostCode, strings::kPleaseInputHostCode, strings::kHostCodeOutOfRange);
    const hostlink::HostLinkOptions link = LinkOptionsFor(options.target);
    if (!ShowPassesCheck(options))
        return kFailure;
    TerminalPrompt prompt;
    prompt.AnswerOpenFile(options.store);
    TerminalDownloadView view(options.hostCode, isatty(STDERR_FILENO) == 1);
    prompt.BeforeEachMessage([&view] { view.EndBarLine(); });
    hostlink::DownloadProcedure download(prompt, view, link);
    const InterruptRequest interrupt;
    return download.RunDownload() ? kSuccess : kFailure;
}

} // namespace

void AddDownloadCommand(CLI::App& app, CommandRun& run)
{
    const auto [command, options] =
        AddStoreCommand(app, run, "download", strings::kCliDownloadHelp, RunDownload);
    AddHostLinkOptions(*command, options->hostCode, options->target);
    command->add_flag("--force", options->force, strings::kCliForceHelp);
}

} // namespace cli
