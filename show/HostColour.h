#pragma once

#include <optional>
#include <string>

namespace show {

// A hue (0..359) of its own for each host name, the same in every run and on
// every machine: a hash of the name's bytes. "HOST" (not yet assigned) and a
// blank name get none and stay plain.
std::optional<int> HostHue(const std::string& host);

} // namespace show
