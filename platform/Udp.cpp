#include "platform/Udp.h"

#include "platform/UdpSystem.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace platform::udp {

using namespace system;

namespace {

sockaddr_in ToSockaddr(const Endpoint& endpoint)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(endpoint.address);
    address.sin_port = htons(endpoint.port);
    return address;
}

Endpoint FromSockaddr(const sockaddr_in& address)
{
    return {ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
}

} // namespace

std::string FormatIpv4(std::uint32_t address)
{
    return std::to_string(address >> 24) + '.' + std::to_string(address >> 16 & 0xFF) + '.' +
           std::to_string(address >> 8 & 0xFF) + '.' + std::to_string(address & 0xFF);
}

std::string FormatEndpoint(const Endpoint& endpoint)
{
    return FormatIpv4(endpoint.address) + ':' + std::to_string(endpoint.port);
}

std::optional<Endpoint> ParseEndpoint(const std::string& text, bool allowAnyPort)
{
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const std::optional<std::uint32_t> address = ParseIpv4(text.substr(0, colon));
    const std::string port = text.substr(colon + 1);
    if (!address || port.empty() || port.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    unsigned value = 0;
    const auto [at, error] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (error != std::errc() || at != port.data() + port.size() || value > 65535 ||
        (value == 0 && !allowAnyPort))
        return std::nullopt;
    return Endpoint{*address, static_cast<std::uint16_t>(value)};
}

Handle OpenSocket()
{
    return NewSocket();
}

void CloseSocket(Handle socket)
{
    if (socket == kNoHandle)
        return;
    CloseNative(ToNative(socket));
}

bool SetSendTimeout(Handle socket, std::chrono::milliseconds timeout)
{
    return SetTimeout(ToNative(socket), SO_SNDTIMEO, timeout);
}

bool SetReceiveTimeout(Handle socket, std::chrono::milliseconds timeout)
{
    return SetTimeout(ToNative(socket), SO_RCVTIMEO, timeout);
}

bool Bind(Handle socket, const Endpoint& local)
{
    const sockaddr_in address = ToSockaddr(local);
    return bind(ToNative(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

std::optional<Endpoint> LocalEndpoint(Handle socket)
{
    sockaddr_in address{};
    AddressLength length = sizeof address;
    if (getsockname(ToNative(socket), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return std::nullopt;
    return FromSockaddr(address);
}

bool SendTo(Handle socket, std::span<const std::uint8_t> datagram, const Endpoint& to)
{
    const sockaddr_in address = ToSockaddr(to);
    const auto sent = sendto(ToNative(socket), reinterpret_cast<const char*>(datagram.data()),
                             static_cast<int>(datagram.size()), 0,
                             reinterpret_cast<const sockaddr*>(&address), sizeof address);
    return sent >= 0 && static_cast<std::size_t>(sent) == datagram.size();
}

long ReceiveFrom(Handle socket, std::span<std::uint8_t> buffer, Endpoint& from)
{
    sockaddr_in address{};
    AddressLength length = sizeof address;
    const auto received = recvfrom(ToNative(socket), reinterpret_cast<char*>(buffer.data()),
                                   static_cast<int>(buffer.size()), 0,
                                   reinterpret_cast<sockaddr*>(&address), &length);
    from = FromSockaddr(address);
    if (received < 0 && LastReceiveTooLong())
        return static_cast<long>(buffer.size());
    return received < 0 ? -1 : static_cast<long>(received);
}

Readiness WaitReadable(std::span<const Handle> sockets, std::chrono::milliseconds timeout)
{
    std::vector<PollEntry> entries(sockets.size());
    for (std::size_t i = 0; i < sockets.size(); ++i) {
        entries[i].fd = ToNative(sockets[i]);
        entries[i].events = POLLIN;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const int ready = Poll(entries.data(), entries.size(),
                               static_cast<int>(std::max<std::int64_t>(left.count(), 0)));
        if (ready == 0)
            return {Readiness::kTimedOut, 0};
        if (ready < 0) {
            if (Interrupted())
                continue;
            return {Readiness::kFailed, 0};
        }
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].revents != 0)
                return {Readiness::kReady, i};
        return {Readiness::kFailed, 0};
    }
}

} // namespace platform::udp
