#pragma once

#include "VirtualFiringHost.h"

#include <string>
#include <string_view>

namespace hostlink {

// One frame the virtual host handled, as one line of JSON (no line break):
// number, sender, the port it came in on, kind, fields, name, reply, and the
// problem with it if any.
std::string FrameRecordJson(const HostFrameRecord& record);

// A JSON string literal, quotes included.
std::string JsonString(std::string_view text);

} // namespace hostlink
