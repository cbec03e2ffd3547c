#pragma once

namespace app {

// The platform services the program needs before its window: the socket
// library and the hosting of controls. Linux needs neither; the Windows build
// starts Windows Sockets here. False when the sockets cannot be started.
bool StartSockets();
void EnableControlHosting();

} // namespace app
