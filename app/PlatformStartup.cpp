#include "app/PlatformStartup.h"

namespace app {

bool StartSockets()
{
    return true;
} // POSIX sockets need no start-up

void EnableControlHosting() {} // the grid is a native widget: nothing to host

} // namespace app
