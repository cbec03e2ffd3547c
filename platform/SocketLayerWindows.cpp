#include "platform/SocketLayer.h"

#include <winsock2.h>

namespace platform {

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

void StartSocketLayerForProcess()
{
    // Counted apart from the dialogs' own starts and releases.
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    static_cast<void>(started);
}

} // namespace platform
