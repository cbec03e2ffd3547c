#include "hostlink/SocketLayer.h"

#ifdef _WIN32
#include <winsock2.h>
#endif

namespace hostlink {

#ifdef _WIN32

bool StartSocketLayer()
{
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return false;
    // Anything but 2.2 is not the library the host link was written for.
    if (LOBYTE(data.wVersion) != 2 || HIBYTE(data.wHighVersion) != 2) {
        WSACleanup();
        return false;
    }
    return true;
}

void ReleaseSocketLayer()
{
    WSACleanup();
}

#else

bool StartSocketLayer()
{
    return true; // POSIX sockets need no start-up
}

void ReleaseSocketLayer() {}

#endif

} // namespace hostlink
