#include "tools/cli/AddressPort.h"

#include "platform/Udp.h"

namespace cli {

std::optional<AddressPort> ParseAddressPort(const std::string& text, bool allowAnyPort)
{
    const std::optional<platform::udp::Endpoint> parsed =
        platform::udp::ParseEndpoint(text, allowAnyPort);
    if (!parsed)
        return std::nullopt;
    return AddressPort{platform::udp::FormatIpv4(parsed->address), parsed->port};
}

} // namespace cli
