#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace cli {

struct AddressPort
{
    std::string address; // dotted IPv4
    std::uint16_t port = 0;
};

// "127.0.0.1:10061": a dotted IPv4 address, a colon, a port. Port 0 only
// when `allowAnyPort` (a listener that takes any free port).
std::optional<AddressPort> ParseAddressPort(const std::string& text, bool allowAnyPort);

} // namespace cli
