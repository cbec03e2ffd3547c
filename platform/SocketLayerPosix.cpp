#include "platform/SocketLayer.h"

namespace platform {

// POSIX sockets need no start-up.
bool StartSocketLayer()
{
    return true;
}

void ReleaseSocketLayer() {}

void StartSocketLayerForProcess() {}

} // namespace platform
