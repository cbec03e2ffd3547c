#include "tools/cli/TargetOption.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostCode.h"
#include "tools/cli/AddressPort.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/CommandSetup.h"

namespace cli {

void AddHostLinkOptions(CLI::App& command, std::string& hostCode,
                        std::optional<std::string>& target)
{
    AddRequiredOption(command, "--host-code", hostCode, strings::kCliHostCodeHelp, "N");
    command
        .add_option_function<std::string>(
            "--target", [&target](const std::string& text) { target = text; },
            strings::kCliTargetHelp)
        ->type_name("ADDR:PORT");
}

hostlink::HostLinkOptions LinkOptionsFor(const std::optional<std::string>& target)
{
    hostlink::HostLinkOptions options;
    if (!target)
        return options;
    const std::optional<AddressPort> parsed = ParseAddressPort(*target, false);
    if (!parsed)
        throw UsageError(
            strings::FormatText(strings::kCliBadAddressPort, "--target", target->c_str()));
    options.addressPattern = parsed->address; // no "%i": the host code no longer picks it
    options.port = parsed->port;
    return options;
}

void CheckHostCode(const std::string& hostCode, const char* emptyText, const char* rangeText)
{
    // The window reads "1e1" as host 1; on a command line such a typo must
    // not pick another real host, so only plain digits are taken here.
    if (hostCode.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError(rangeText);
    switch (show::ReadHostCode(hostCode).status) {
    case show::HostCodeInput::kValid:
        return;
    case show::HostCodeInput::kEmpty:
        throw UsageError(emptyText);
    case show::HostCodeInput::kOutOfRange:
        throw UsageError(rangeText);
    }
}

} // namespace cli
