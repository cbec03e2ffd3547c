#pragma once

#include "hostlink/HostLinkOptions.h"
#include "hostlink/SocketLayer.h"

#include <functional>

namespace hostlink {

// What a host dialog talks through. The program uses the defaults only: the
// field's addresses and waits, and the platform's socket start-up. Tests put
// the hosts on loopback, shorten the waits, and make the start-up fail.
struct HostDialogOptions
{
    HostLinkOptions link{};
    std::function<bool()> startSocketLayer = StartSocketLayer;
};

} // namespace hostlink
