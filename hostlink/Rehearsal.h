#pragma once

#include "hostlink/HostLinkOptions.h"

#include <cstdint>
#include <functional>
#include <string>

// A rehearsal of the field on the designer's own computer: every host code's
// conversations go to one address, 127.0.0.1 (wine's loopback cannot tell
// 127.0.0.x senders apart), host code N at port 10061 + N. Nothing of a
// rehearsal can reach a firing host: its links are marked (their socket
// refuses any other destination) and its records are never the field's.
namespace hostlink {

inline constexpr char kRehearsalAddress[] = "127.0.0.1";

// 10061 + N.
std::uint16_t RehearsalPort(int hostCode);

// Host code N's rehearsal link: 127.0.0.1, its port, marked; the waits are
// those of `waits` (the field's unless a test shortens them).
HostLinkOptions RehearsalLink(int hostCode, const HostLinkOptions& waits = {});

// Every host code at its rehearsal link, with the waits `links` gives it;
// where `links` puts a host is not taken.
std::function<HostLinkOptions(int)> RehearsalLinks(std::function<HostLinkOptions(int)> links);

// Whether a dotted address is the rehearsal's.
bool IsRehearsalAddress(const std::string& dotted);

// Where a host code's datagrams go, as the dialogs name it: the address, and
// for a rehearsal's link its port too ("127.0.0.1:10066").
std::string DestinationText(const HostLinkOptions& link, int hostCode);

} // namespace hostlink
