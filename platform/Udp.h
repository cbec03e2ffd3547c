#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The few datagram-socket calls the host link and the virtual host make, in
// one place: Udp.cpp over what each system's own file gives it (UdpPosix.cpp,
// UdpWindows.cpp: POSIX sockets, Winsock).
namespace platform::udp {

using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// An IPv4 address and port, both in host byte order.
struct Endpoint
{
    std::uint32_t address = 0;
    std::uint16_t port = 0;

    bool operator==(const Endpoint&) const = default;
};

std::optional<std::uint32_t> ParseIpv4(const std::string& dotted);
std::string FormatIpv4(std::uint32_t address);
std::string FormatEndpoint(const Endpoint& endpoint); // "a.b.c.d:port"
// "a.b.c.d:port", nothing else; port 0 only when `allowAnyPort` (a listener
// that takes any free port).
std::optional<Endpoint> ParseEndpoint(const std::string& text, bool allowAnyPort);

// The names of this process's network interfaces; nothing where they cannot
// be listed (Windows has no network namespaces: isolation is never claimed).
std::optional<std::vector<std::string>> InterfaceNames();

// Opens an IPv4 datagram socket; the socket library is started first, once
// for the process (StartSocketLayerForProcess).
Handle OpenSocket();
void CloseSocket(Handle socket);
bool SetSendTimeout(Handle socket, std::chrono::milliseconds timeout);
bool SetReceiveTimeout(Handle socket, std::chrono::milliseconds timeout);
bool Bind(Handle socket, const Endpoint& local);
std::optional<Endpoint> LocalEndpoint(Handle socket);

// True when the whole datagram went out.
bool SendTo(Handle socket, std::span<const std::uint8_t> datagram, const Endpoint& to);

// Receives one datagram. Returns its length, or the buffer's size when it was
// longer and got cut; -1 when the receive failed.
long ReceiveFrom(Handle socket, std::span<std::uint8_t> buffer, Endpoint& from);

struct Readiness
{
    enum Status
    {
        kReady,
        kTimedOut,
        kFailed
    };
    Status status = kFailed;
    std::size_t index = 0; // of the first readable socket
};

// Waits up to `timeout` for one of the sockets to have a datagram waiting.
Readiness WaitReadable(std::span<const Handle> sockets, std::chrono::milliseconds timeout);

} // namespace platform::udp
