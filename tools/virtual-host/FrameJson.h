#pragma once

#include "tools/virtual-host/VirtualFiringHost.h"

#include <string>
#include <string_view>

namespace hostlink {

// One frame the virtual host handled, as one line of JSON (no line break):
// number, sender, the port it came in on (and the address:port when known),
// kind, fields, name, reply, and the problem with it if any.
std::string FrameRecordJson(const HostFrameRecord& record);

// Where one virtual host listens, as one line of JSON.
std::string ListeningJson(const std::string& address, std::uint16_t port, std::uint16_t otherPort);

// A JSON string literal, quotes included; bytes that are not UTF-8 become U+FFFD.
std::string JsonString(std::string_view text);

} // namespace hostlink
