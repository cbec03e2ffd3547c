#include "tools/virtual-host/NetworkIsolation.h"

#include "platform/Udp.h"

#include <algorithm>

namespace hostlink {

bool OnlyLoopbackInterfaces()
{
    const std::optional<std::vector<std::string>> names = platform::udp::InterfaceNames();
    return names && OnlyLoopbackNames(*names);
}

bool OnlyLoopbackNames(const std::vector<std::string>& interfaceNames)
{
    return !interfaceNames.empty() &&
           std::all_of(interfaceNames.begin(), interfaceNames.end(),
                       [](const std::string& name) { return name == "lo"; });
}

bool IsLoopbackAddress(const std::string& dotted)
{
    const auto address = platform::udp::ParseIpv4(dotted);
    return address && (*address >> 24) == 127;
}

bool IsContainedAddress(const std::string& dotted)
{
    return IsContainedAddress(dotted, OnlyLoopbackInterfaces());
}

bool IsContainedAddress(const std::string& dotted, bool onlyLoopback)
{
    return platform::udp::ParseIpv4(dotted) && (IsLoopbackAddress(dotted) || onlyLoopback);
}

} // namespace hostlink
