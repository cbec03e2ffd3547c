#include "tools/cli/PlanEntryText.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "tools/cli/AddressPort.h"
#include "tools/cli/CliCommon.h"

#include <charconv>

namespace cli {

namespace {

constexpr std::size_t kMostCodeDigits = 3;

// Plain decimal digits, a few of them; nothing otherwise.
std::optional<int> PlainCode(const std::string& text)
{
    if (text.empty() || text.size() > kMostCodeDigits ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

store::HostPlanEntry ParsePlanEntry(const std::string& text)
{
    const std::size_t equals = text.rfind('=');
    const std::optional<int> code =
        equals == std::string::npos ? std::nullopt : PlainCode(text.substr(equals + 1));
    if (!code || equals == 0)
        throw UsageError(strings::FormatText(strings::kCliBadPlanEntry, text.c_str()));
    return {text.substr(0, equals), *code};
}

std::map<int, hostlink::HostLinkOptions> ParseFieldTargets(const std::vector<std::string>& texts)
{
    std::map<int, hostlink::HostLinkOptions> targets;
    for (const std::string& text : texts) {
        const std::size_t equals = text.find('=');
        const std::optional<int> code =
            equals == std::string::npos ? std::nullopt : PlainCode(text.substr(0, equals));
        const std::optional<AddressPort> at =
            code ? ParseAddressPort(text.substr(equals + 1), false) : std::nullopt;
        if (!at)
            throw UsageError(strings::FormatText(strings::kCliBadFieldTarget, text.c_str()));
        // Which of two destinations was meant cannot be known.
        if (targets.contains(*code))
            throw UsageError(strings::FormatText(strings::kCliTargetTwice, *code));
        hostlink::HostLinkOptions& link = targets[*code];
        link.addressPattern = at->address; // no "%i": the host code no longer picks it
        link.port = at->port;
    }
    return targets;
}

} // namespace cli
