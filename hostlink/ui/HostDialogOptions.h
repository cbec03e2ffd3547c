#pragma once

#include "hostlink/HostLink.h"
#include "hostlink/HostLinkOptions.h"
#include "hostlink/Rehearsal.h"
#include "platform/SocketLayer.h"

#include <functional>
#include <string>

namespace hostlink {

// The word of whoever opened a host dialog on a show store chosen in it,
// asked on the window's thread before the dialog reads the store (the main
// window: its unsaved host names, the show check). False stops the dialog
// as if no file had been chosen: nothing is read or sent.
using StoreGate = std::function<bool(const std::string& path)>;

// Where each host code's conversations go and how long they wait.
using HostLinks = std::function<HostLinkOptions(int hostCode)>;

// What every host dialog is given. On its own a dialog talks to the field's
// addresses with the field's waits and starts and releases the platform's
// sockets; the main window adds its store and its gate; tests put the hosts
// on loopback, shorten the waits and count or fail the socket layer's start.
struct HostDialogOptions
{
    HostLinks links = [](int) { return HostLinkOptions{}; }; // each at its field address
    std::function<bool()> startSocketLayer = platform::StartSocketLayer;
    std::function<void()> releaseSocketLayer = platform::ReleaseSocketLayer;
    std::string currentStore; // a file chooser starts there, preselected
    StoreGate storeGate;      // none: every chosen store may be read
    // The socket of each conversation (tests wrap it to see every datagram).
    HostLinkMaker makeLink = MakeHostLinkSocket;
    // The window's rehearsal: the links are the rehearsal's, and the dialog
    // says where its hosts are (see InRehearsal).
    bool rehearsal = false;

    // A dialog never holds empty links: it takes the field's for none.
    HostLinkOptions LinkFor(int hostCode) const { return links(hostCode); }
};

// Every host code's conversations as `link` says (one virtual host).
inline HostLinks EveryHostAt(HostLinkOptions link)
{
    return [link = std::move(link)](int) { return link; };
}

// The same options in a rehearsal: every host code at its rehearsal link
// (127.0.0.1, port 10061 + N), with the waits the options give it.
inline HostDialogOptions InRehearsal(HostDialogOptions options)
{
    options.links = RehearsalLinks(std::move(options.links));
    options.rehearsal = true;
    return options;
}

} // namespace hostlink
