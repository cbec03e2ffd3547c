#include "hostlink/HostLinkOptions.h"
#include "hostlink/ReadDownloadCues.h"
#include "hostlink/RecordedConversations.h"
#include "resources/strings/Strings.h"
#include "show/HostStates.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/CommandSetup.h"
#include "tools/cli/Commands.h"
#include "tools/cli/JsonOutput.h"
#include "tools/cli/TextTable.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

namespace cli {

namespace {

// Where the host of a code lives in the field, whatever rehearsals did.
std::string FieldAddress(int hostCode)
{
    return hostlink::HostAddressText({}, hostCode) + ":" + std::to_string(hostlink::kHostPort);
}

nlohmann::ordered_json StatesJson(const std::vector<show::PlannedHostState>& states)
{
    const auto orNull = [](bool given, auto value) {
        return given ? nlohmann::ordered_json(value) : nlohmann::ordered_json();
    };
    nlohmann::ordered_json hosts = nlohmann::ordered_json::array();
    for (const show::PlannedHostState& status : states) {
        const bool recorded = status.state != show::HostState::kNever;
        hosts.push_back(
            {{"host", status.hostName},
             {"code", status.hostCode},
             {"address", FieldAddress(status.hostCode)},
             {"state", show::HostStateName(status.state)},
             {"loaded_at", orNull(recorded, status.loadedAt)},
             {"frames", orNull(recorded, status.frames)},
             // null where a conversation that never ended stopped is not known
             {"failed_at_frame",
              orNull(status.state == show::HostState::kFailed && status.failedAtFrame > 0,
                     status.failedAtFrame)},
             // what it holds cannot be told from its answers
             {"ambiguous", status.state == show::HostState::kFailed && status.ambiguous}});
    }
    return hosts;
}

void WriteStates(const std::vector<show::PlannedHostState>& states)
{
    std::vector<TextRow> rows = {{strings::kFieldColumnHost, strings::kFieldColumnCode,
                                  strings::kFieldColumnAddress, strings::kFieldColumnState,
                                  strings::kHostStateColumnWhen}};
    for (const show::PlannedHostState& status : states)
        rows.push_back({status.hostName, std::to_string(status.hostCode),
                        FieldAddress(status.hostCode), show::HostStateText(status),
                        status.loadedAt.empty() ? "-" : status.loadedAt});
    WriteAligned(std::cout, rows);
}

int RunStatus(const StoreReadOptions& options)
{
    std::vector<show::PlannedHostState> states;
    try {
        // The show first: a file without one has no hosts to speak of.
        const std::optional<std::string> digest = hostlink::ReadDownloadDigest(options.store);
        states = show::WorkOutHostStates(show::ReadHostPlanChecked(options.store),
                                         show::ReadHostRecords(options.store), digest);
    } catch (const show::Failure& failure) {
        PrintFailure(failure, messages::Doing::kOpening);
        return kFailure;
    }
    if (options.json)
        return WriteJsonResult(StatesJson(states));
    if (states.empty())
        PrintError(strings::kPlanEmpty);
    WriteStates(states);
    return OutputResult();
}

} // namespace

void AddStatusCommand(CLI::App& app, CommandRun& run)
{
    AddReadCommand(app, run, "status", strings::kCliStatusHelp, RunStatus);
}

} // namespace cli
