#include "app/PlatformStartup.h"

#include "platform/SocketLayer.h"

namespace app {

// Windows Sockets 2.2 on Windows; POSIX sockets need no start-up.
bool StartSockets()
{
    return platform::StartSocketLayer();
}

void EnableControlHosting() {} // the grid is a native widget: nothing to host

} // namespace app
