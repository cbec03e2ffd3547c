#include "AddressPort.h"

#include <arpa/inet.h>
#include <charconv>

namespace cli {

std::optional<AddressPort> ParseAddressPort(const std::string& text, bool allowAnyPort)
{
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos)
        return std::nullopt;
    AddressPort result;
    result.address = text.substr(0, colon);
    in_addr parsed{};
    if (inet_pton(AF_INET, result.address.c_str(), &parsed) != 1)
        return std::nullopt;
    const std::string port = text.substr(colon + 1);
    if (port.empty() || port.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    unsigned value = 0;
    const auto [at, error] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (error != std::errc() || at != port.data() + port.size() || value > 65535 ||
        (value == 0 && !allowAnyPort))
        return std::nullopt;
    result.port = static_cast<std::uint16_t>(value);
    return result;
}

} // namespace cli
