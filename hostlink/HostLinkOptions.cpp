#include "hostlink/HostLinkOptions.h"

namespace hostlink {

std::string HostAddressText(const HostLinkOptions& options, int hostCode)
{
    std::string text = options.addressPattern;
    const auto at = text.find("%i");
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(hostCode));
    return text;
}

} // namespace hostlink
