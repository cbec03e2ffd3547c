#pragma once

#include "hostlink/HostLinkOptions.h"

#include <functional>

namespace hostlink {

// Where each host code's conversations go in a field load: the field's own
// addresses in the program; tests put every host on loopback.
using FieldLinks = std::function<HostLinkOptions(int hostCode)>;

inline HostLinkOptions LinkFor(const FieldLinks& links, int hostCode)
{
    return links ? links(hostCode) : HostLinkOptions{};
}

} // namespace hostlink
