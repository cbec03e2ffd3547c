#include "hostlink/Rehearsal.h"

#include <utility>

namespace hostlink {

std::uint16_t RehearsalPort(int hostCode)
{
    return static_cast<std::uint16_t>(kHostPort + hostCode);
}

HostLinkOptions RehearsalLink(int hostCode, const HostLinkOptions& waits)
{
    HostLinkOptions link = waits;
    link.addressPattern = kRehearsalAddress; // no "%i": one address for every host
    link.port = RehearsalPort(hostCode);
    link.rehearsal = true;
    return link;
}

std::function<HostLinkOptions(int)> RehearsalLinks(std::function<HostLinkOptions(int)> links)
{
    return [links = std::move(links)](int hostCode) {
        return RehearsalLink(hostCode, links ? links(hostCode) : HostLinkOptions{});
    };
}

bool IsRehearsalAddress(const std::string& dotted)
{
    return dotted == kRehearsalAddress;
}

std::string DestinationText(const HostLinkOptions& link, int hostCode)
{
    const std::string address = HostAddressText(link, hostCode);
    return link.rehearsal ? address + ':' + std::to_string(link.port) : address;
}

} // namespace hostlink
