#include "NetworkIsolation.h"

#include "UdpPlatform.h"

#ifndef _WIN32
#include <net/if.h>
#endif

#include <cstring>

namespace hostlink {

bool OnlyLoopbackInterfaces()
{
#ifdef _WIN32
    return false; // no namespaces there: never claim isolation
#else
    struct if_nameindex* interfaces = if_nameindex();
    if (interfaces == nullptr)
        return false;
    bool onlyLoopback = true;
    for (const struct if_nameindex* i = interfaces; i->if_index != 0 || i->if_name != nullptr; ++i)
        if (i->if_name == nullptr || std::strcmp(i->if_name, "lo") != 0)
            onlyLoopback = false;
    if_freenameindex(interfaces);
    return onlyLoopback;
#endif
}

bool IsLoopbackAddress(const std::string& dotted)
{
    const auto address = udp::ParseIpv4(dotted);
    return address && (*address >> 24) == 127;
}

bool IsContainedAddress(const std::string& dotted)
{
    return udp::ParseIpv4(dotted) && (IsLoopbackAddress(dotted) || OnlyLoopbackInterfaces());
}

} // namespace hostlink
