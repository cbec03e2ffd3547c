#include "tools/virtual-host/VirtualHostArguments.h"

#include "platform/Udp.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/RehearsalStrings.h"
#include "resources/strings/Strings.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <limits>
#include <map>
#include <optional>
#include <string_view>
#include <utility>

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kMostMs = 600000;

// Plain decimal digits within [low, high], nothing else. The text is written
// back without leading zeros, so that the conversion after it cannot read a
// leading 0 as octal.
CLI::Validator PlainNumber(int low, int high)
{
    const std::string range = std::to_string(low) + " to " + std::to_string(high);
    return {[low, high, range](std::string& text) -> std::string {
                int value = 0;
                const char* end = text.data() + text.size();
                const bool digits =
                    !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
                const auto [at, error] = std::from_chars(text.data(), end, value);
                if (!digits || error != std::errc() || at != end || value < low || value > high)
                    return "not a number from " + range + ": " + text;
                text = std::to_string(value);
                return {};
            },
            "", "PlainNumber"};
}

// "K:MS": a frame number from 1 and a time in milliseconds.
std::optional<std::pair<int, int>> FrameAndTime(const std::string& text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const auto number = [](std::string_view part, int low, int high) -> std::optional<int> {
        int value = 0;
        const char* end = part.data() + part.size();
        const auto [at, error] = std::from_chars(part.data(), end, value);
        if (part.empty() || part.find_first_not_of("0123456789") != std::string_view::npos ||
            error != std::errc() || at != end || value < low || value > high)
            return std::nullopt;
        return value;
    };
    const std::string_view all(text);
    const auto frame = number(all.substr(0, colon), 1, kIntMax);
    const auto ms = number(all.substr(colon + 1), 1, kMostMs);
    if (!frame || !ms)
        return std::nullopt;
    return std::pair{*frame, *ms};
}

const CLI::Validator kFrameAndTime(
    [](std::string& text) -> std::string {
        return FrameAndTime(text) ? std::string()
                                  : "not K:MS (a frame from 1, milliseconds from 1 to " +
                                        std::to_string(kMostMs) + "): " + text;
    },
    "", "FrameAndTime");

std::map<int, std::chrono::milliseconds> ByFrame(const std::vector<std::string>& texts)
{
    std::map<int, std::chrono::milliseconds> times;
    for (const std::string& text : texts)
        if (const auto parsed = FrameAndTime(text))
            times[parsed->first] = std::chrono::milliseconds(parsed->second);
    return times;
}

// An address to listen or answer from: a dotted IPv4 address, never empty.
const CLI::Validator kAddress(
    [](std::string& text) -> std::string {
        return platform::udp::ParseIpv4(text) ? std::string() : "not an IPv4 address: " + text;
    },
    "", "Address");

const CLI::Validator kListenAddress(
    [](std::string& text) -> std::string {
        if (platform::udp::ParseEndpoint(text, true))
            return {};
        return strings::FormatText(strings::kCliNotAddressPort, text.c_str());
    },
    "", "ListenAddress");

// An option whose value, named `type` in the help, must pass `check`.
template <typename Value>
CLI::Option* AddChecked(CLI::App& app, const char* name, Value& value, const char* help,
                        const char* type, const CLI::Validator& check)
{
    return app.add_option(name, value, help)->type_name(type)->check(check);
}

// An option whose value, named `type` in the help, is a plain number from
// `low` to `high`.
template <typename Value>
CLI::Option* AddNumber(CLI::App& app, const char* name, Value& value, const char* help,
                       const char* type, int low, int high)
{
    return app.add_option(name, value, help)->type_name(type)->transform(PlainNumber(low, high));
}

} // namespace

void AddVirtualHostOptions(CLI::App& app, VirtualHostArguments& arguments)
{
    hostlink::VirtualHostOptions& host = arguments.host;
    CLI::Option* listen = AddChecked(app, "--listen", arguments.listen, strings::kCliListenHelp,
                                     "ADDR:PORT", kListenAddress);
    AddChecked(app, "--address", host.address, strings::kCliAddressHelp, "A", kAddress)
        ->excludes(listen);
    AddNumber(app, "--port", host.port, strings::kCliPortHelp, "P", 0, 65535)->excludes(listen);
    AddNumber(app, "--refuse-frame", host.refuseFrame, strings::kCliRefuseFrameHelp, "K", 1,
              kIntMax);
    AddNumber(app, "--refuse-cue", host.refuseCue, strings::kCliRefuseCueHelp, "K", 1, kIntMax);
    AddNumber(app, "--silent-from", host.silentFrom, strings::kCliSilentFromHelp, "K", 1, kIntMax);
    app.add_flag("--reply-from-other-port", host.replyFromOtherPort, strings::kCliOtherPortHelp);
    app.add_flag("--reply-five-bytes", host.replyFiveBytes, strings::kCliFiveBytesHelp);
    app.add_flag("--hex", host.keepBytes, strings::kCliHexHelp);
    AddNumber(app, "--reply-delay", arguments.replyDelayMs, strings::kCliReplyDelayHelp, "MS", 0,
              kMostMs);
    AddNumber(app, "--reply-twice", arguments.replyTwiceMs, strings::kCliReplyTwiceHelp, "MS", 1,
              kMostMs);
    AddChecked(app, "--late-frame", arguments.lateFrames, strings::kCliLateFrameHelp, "K:MS",
               kFrameAndTime);
    AddChecked(app, "--reply-twice-frame", arguments.repeatedFrames,
               strings::kCliReplyTwiceFrameHelp, "K:MS", kFrameAndTime);
    AddChecked(app, "--reply-from-address", host.replyFromAddress, strings::kCliReplyAddressHelp,
               "A", kAddress);
    AddChecked(app, "--decoy-from-address", host.decoyFromAddress, strings::kCliDecoyHelp, "A",
               kAddress);
    AddNumber(app, "--exit-after", arguments.exitAfter, strings::kCliExitAfterHelp, "N", 1,
              kIntMax);
}

std::vector<hostlink::VirtualHostOptions> HostsToPlay(const VirtualHostArguments& arguments)
{
    hostlink::VirtualHostOptions faults = arguments.host;
    faults.replyDelay = std::chrono::milliseconds(arguments.replyDelayMs);
    faults.replyTwiceAfter = std::chrono::milliseconds(arguments.replyTwiceMs);
    faults.lateFrames = ByFrame(arguments.lateFrames);
    faults.repeatedFrames = ByFrame(arguments.repeatedFrames);
    if (arguments.listen.empty())
        return {faults};
    std::vector<hostlink::VirtualHostOptions> hosts;
    for (const std::string& listen : arguments.listen) {
        const auto endpoint = platform::udp::ParseEndpoint(listen, true);
        hostlink::VirtualHostOptions host = faults;
        host.address = platform::udp::FormatIpv4(endpoint ? endpoint->address : 0);
        host.port = endpoint ? endpoint->port : 0;
        hosts.push_back(std::move(host));
    }
    return hosts;
}
