#include "hostlink/FieldLoad.h"
#include "hostlink/ReadDownloadCues.h"
#include "hostlink/RecordedConversations.h"
#include "hostlink/SendShow.h"
#include "messages/FailureMessage.h"
#include "platform/Console.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/HostCode.h"
#include "show/HostStates.h"
#include "show/ShowCheck.h"
#include "tools/cli/CheckReportOutput.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/CommandSetup.h"
#include "tools/cli/Commands.h"
#include "tools/cli/InterruptRequest.h"
#include "tools/cli/PlanEntryText.h"
#include "tools/cli/RecordedRun.h"
#include "tools/cli/StoreCues.h"
#include "tools/cli/TargetOption.h"
#include "tools/cli/TerminalDownloadView.h"
#include "tools/cli/TerminalFieldView.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <optional>

namespace cli {

namespace {

struct DownloadOptions
{
    std::string store;
    std::string hostCode;
    std::vector<std::string> targets;
    bool hostCodeGiven = false; // an empty --host-code gets the dialog's own message
    bool allHosts = false;
    bool stale = false; // with allHosts: only the hosts not current
    bool force = false;
};

// The show check before anything is sent: its findings on standard error,
// and false when errors forbid the download.
bool ShowPassesCheck(const DownloadOptions& options)
{
    const std::optional<show::ShowCheckReport> report = CheckStore(options.store);
    if (!report)
        return false;
    if (report->findings.empty())
        return true;
    WriteCheckReport(std::cerr, *report);
    std::cerr.flush();
    if (report->Errors() > 0 && !options.force) {
        PrintError(strings::FormatText(strings::kCliCheckRefused, report->Errors()));
        return false;
    }
    return true;
}

// The cues a download sends, in launch-time order; nothing, after saying why,
// when the store cannot give them.
std::optional<std::vector<show::Cue>> DownloadCues(const std::string& store)
{
    try {
        return hostlink::ReadDownloadCues(store);
    } catch (const show::Failure& failure) {
        PrintError(messages::FailureText(failure, messages::Doing::kDownloading));
    }
    return std::nullopt;
}

std::string JoinedNames(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

// A rehearsal's --target must name a host of the plan: one for another code
// would leave that host's conversations at its field address.
void CheckTargetsPlanned(const std::map<int, hostlink::HostLinkOptions>& targets,
                         const std::vector<show::HostPlanEntry>& plan)
{
    for (const auto& [code, link] : targets)
        if (std::none_of(plan.begin(), plan.end(), [code = code](const show::HostPlanEntry& e) {
                return e.HostCode == code;
            }))
            throw UsageError(strings::FormatText(strings::kCliTargetNotPlanned, code));
}

// Of the field's hosts, those that do not hold the show as it is now.
std::optional<std::vector<hostlink::FieldHost>>
StaleFieldHosts(const DownloadOptions& options, const std::vector<show::Cue>& cues,
                const std::vector<show::HostPlanEntry>& plan,
                const std::vector<hostlink::FieldHost>& hosts)
{
    try {
        return hostlink::StaleHosts(
            hosts, hostlink::HostStatesOf(cues, plan, show::ReadHostRecords(options.store)));
    } catch (const show::Failure& failure) {
        PrintFailure(failure, messages::Doing::kDownloading);
    }
    return std::nullopt;
}

// Every planned host at the same time (with --stale: those not current);
// refused, with nothing sent to any host, when the show check fails or a host
// name of the show has no code.
int RunFieldLoad(const DownloadOptions& options)
{
    const std::map<int, hostlink::HostLinkOptions> targets = ParseFieldTargets(options.targets);
    // With --stale, the check waits until there is something to load.
    if (!options.stale && !ShowPassesCheck(options))
        return kFailure;
    const std::optional<std::vector<show::Cue>> cues = DownloadCues(options.store);
    if (!cues)
        return kFailure;
    const std::optional<std::vector<show::HostPlanEntry>> plan =
        ReadStorePlan(options.store, messages::Doing::kOpening);
    if (!plan)
        return kFailure;
    const hostlink::FieldPlanning field =
        hostlink::PlanField(*cues, *plan, [&targets](int hostCode) {
            const auto found = targets.find(hostCode);
            return found == targets.end() ? hostlink::HostLinkOptions{} : found->second;
        });
    if (!field.unplanned.empty()) {
        PrintError(
            strings::FormatText(strings::kFieldUnplanned, JoinedNames(field.unplanned).c_str()));
        return kFailure;
    }
    if (field.hosts.empty()) {
        PrintError(strings::kFieldNoHosts);
        return kFailure;
    }
    CheckTargetsPlanned(targets, *plan);
    // A rehearsal that moves some hosts must not reach the field with others.
    for (const hostlink::FieldHost& host : field.hosts)
        if (!targets.empty() && !targets.contains(host.hostCode))
            throw UsageError(strings::FormatText(strings::kCliFieldTargetMissing, host.hostCode));
    std::vector<hostlink::FieldHost> hosts = field.hosts;
    if (options.stale) {
        std::optional<std::vector<hostlink::FieldHost>> stale =
            StaleFieldHosts(options, *cues, *plan, hosts);
        if (!stale)
            return kFailure;
        if (stale->empty()) {
            std::cout << strings::kFieldNoneStale << '\n';
            return std::cout.flush() ? kSuccess : kFailure;
        }
        if (!ShowPassesCheck(options))
            return kFailure;
        hosts = std::move(*stale);
    }
    const InterruptRequest interrupt;
    hostlink::HostRecorder recorder(options.store);
    TerminalFieldView view(hosts, platform::StandardErrorIsTerminal());
    const std::vector<hostlink::FieldHostState> states = hostlink::LoadField(
        {.cues = *cues,
         .hosts = hosts,
         .stop = interrupt.Token(),
         .observer = [&view](std::size_t host,
                             const hostlink::FieldHostState& state) { view.Changed(host, state); },
         .recorder = &recorder});
    view.Finish();
    TerminalFieldView::WriteSummary(stdout, hosts, states);
    PrintRecordWarnings(recorder);
    return hostlink::FieldComplete(states) ? kSuccess : kFailure;
}

int RunDownload(const DownloadOptions& options)
{
    if (options.allHosts)
        return RunFieldLoad(options);
    if (!options.hostCodeGiven)
        throw UsageError(strings::kCliHostCodeOrAllHosts);
    CheckHostCode(options.hostCode, strings::kPleaseInputHostCode, strings::kHostCodeOutOfRange);
    if (options.targets.size() > 1)
        throw UsageError(strings::kCliHostCodeOrAllHosts);
    const hostlink::HostLinkOptions link = LinkOptionsFor(
        options.targets.empty() ? std::nullopt : std::optional(options.targets.front()));
    if (!ShowPassesCheck(options))
        return kFailure;
    const std::optional<std::vector<show::Cue>> cues = DownloadCues(options.store);
    if (!cues)
        return kFailure;
    const InterruptRequest interrupt;
    TerminalDownloadView view(platform::StandardErrorIsTerminal());
    const hostlink::HostConversation host{show::ReadHostCode(options.hostCode).code, link,
                                          interrupt.Token()};
    return RunRecordedConversation(
        options.store,
        [&](hostlink::HostRecorder* recorder) {
            return hostlink::SendShowRecorded(
                {host, *cues, [&view](int percent) { view.ShowProgress(percent); }}, recorder);
        },
        [&view](const hostlink::DownloadResult& result) { view.ShowEnd(result); });
}

} // namespace

void AddDownloadCommand(CLI::App& app, CommandRun& run)
{
    const auto [command, options] =
        AddStoreCommand(app, run, "download", strings::kCliDownloadHelp, RunDownload);
    CLI::Option* hostCode =
        command->add_option("--host-code", options->hostCode, strings::kCliHostCodeHelp)
            ->type_name("N");
    CLI::Option* allHosts =
        command->add_flag("--all-hosts", options->allHosts, strings::kCliAllHostsHelp)
            ->excludes(hostCode);
    command
        ->add_option("--target", options->targets,
                     std::string(strings::kCliTargetHelp) + "; with --all-hosts " +
                         strings::kCliFieldTargetHelp)
        ->type_name("ADDR:PORT|CODE=ADDR:PORT");
    command->add_flag("--stale", options->stale, strings::kCliStaleHelp)->needs(allHosts);
    command->add_flag("--force", options->force, strings::kCliForceHelp);
    // The run set by AddStoreCommand reads the options; whether --host-code
    // was given is known only once the line is parsed.
    command->parse_complete_callback(
        [options = options, hostCode] { options->hostCodeGiven = hostCode->count() > 0; });
}

} // namespace cli
