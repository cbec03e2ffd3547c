#pragma once

#include "hostlink/HostLinkOptions.h"
#include "hostlink/SocketLayer.h"

#include <functional>
#include <string>

namespace hostlink {

// The word of whoever opened a host dialog on a show store chosen in it,
// asked on the window's thread before the dialog reads the store (the main
// window: its unsaved host names, the show check). False stops the dialog
// as if no file had been chosen: nothing is read or sent.
using StoreGate = std::function<bool(const std::string& path)>;

// What a host dialog is given. A dialog of its own talks to the field's
// addresses with the field's waits and starts the platform's sockets; the
// main window adds its store and its gate; tests put the hosts on loopback,
// shorten the waits and make the start-up fail.
struct HostDialogOptions
{
    HostLinkOptions link{};
    std::function<bool()> startSocketLayer = StartSocketLayer;
    std::string currentStore; // the file chooser starts there, preselected
    StoreGate storeGate;      // none: every chosen store may be read
};

} // namespace hostlink
