#pragma once

// The platform's socket library, Windows Sockets 2.2 there and nothing to
// start with POSIX sockets: the one place that starts and releases it.
namespace platform {

// One start, for a host dialog's own use (and the window's start-up), which
// gives it back by ReleaseSocketLayer. False when the library cannot be had
// in that version.
bool StartSocketLayer();
// Gives back one start; only after a StartSocketLayer that succeeded.
void ReleaseSocketLayer();

// Started once for the whole process and never given back, so that every
// socket finds the library there, whatever the dialogs start and release.
void StartSocketLayerForProcess();

} // namespace platform
