#include "tools/cli/AddressPort.h"

#include "hostlink/UdpPlatform.h"

namespace cli {

std::optional<AddressPort> ParseAddressPort(const std::string& text, bool allowAnyPort)
{
    const std::optional<hostlink::udp::Endpoint> parsed =
        hostlink::udp::ParseEndpoint(text, allowAnyPort);
    if (!parsed)
        return std::nullopt;
    return AddressPort{hostlink::udp::FormatIpv4(parsed->address), parsed->port};
}

} // namespace cli
