#include "tools/virtual-host/NetworkIsolation.h"

#include "hostlink/UdpPlatform.h"

#ifndef _WIN32
#include <net/if.h>
#endif

#include <algorithm>

namespace hostlink {

bool OnlyLoopbackInterfaces()
{
#ifdef _WIN32
    return false; // no namespaces there: never claim isolation
#else
    struct if_nameindex* interfaces = if_nameindex();
    if (interfaces == nullptr)
        return false;
    std::vector<std::string> names;
    for (const struct if_nameindex* i = interfaces; i->if_index != 0 || i->if_name != nullptr; ++i)
        names.emplace_back(i->if_name == nullptr ? "" : i->if_name);
    if_freenameindex(interfaces);
    return OnlyLoopbackNames(names);
#endif
}

bool OnlyLoopbackNames(const std::vector<std::string>& interfaceNames)
{
    return !interfaceNames.empty() &&
           std::all_of(interfaceNames.begin(), interfaceNames.end(),
                       [](const std::string& name) { return name == "lo"; });
}

bool IsLoopbackAddress(const std::string& dotted)
{
    const auto address = udp::ParseIpv4(dotted);
    return address && (*address >> 24) == 127;
}

bool IsContainedAddress(const std::string& dotted)
{
    return IsContainedAddress(dotted, OnlyLoopbackInterfaces());
}

bool IsContainedAddress(const std::string& dotted, bool onlyLoopback)
{
    return udp::ParseIpv4(dotted) && (IsLoopbackAddress(dotted) || onlyLoopback);
}

} // namespace hostlink
