#pragma once

namespace hostlink {

// The platform's socket library, started by each host dialog for its own
// use: Windows Sockets 2.2 there, nothing to start with POSIX sockets. False
// when the library cannot be had in that version.
bool StartSocketLayer();
// Gives back one start; only after a StartSocketLayer that succeeded.
void ReleaseSocketLayer();

} // namespace hostlink
