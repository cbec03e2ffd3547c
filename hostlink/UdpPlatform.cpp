#include "hostlink/UdpPlatform.h"

#include "hostlink/SocketLayer.h"

#include <charconv>

#ifdef _WIN32
// mswsock.h needs winsock2.h before it.
// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
#include <mswsock.h>
// clang-format on
#else
#include <arpa/inet.h>
#include <cerrno>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>
#endif

#include <vector>

namespace hostlink::udp {

namespace {

// The socket types by platform first, the calls that differ after.
#ifdef _WIN32
using Native = SOCKET;
using AddressLength = int;
using PollEntry = WSAPOLLFD;
using PollCount = ULONG;
int PollNative(PollEntry* entries, PollCount count, int timeoutMs)
{
    return WSAPoll(entries, count, timeoutMs);
}
#else
using Native = int;
using AddressLength = socklen_t;
using PollEntry = pollfd;
using PollCount = nfds_t;
constexpr auto PollNative = &::poll;
#endif

Native ToNative(Handle socket)
{
    return static_cast<Native>(socket);
}

int Poll(PollEntry* entries, std::size_t count, int timeoutMs)
{
    return PollNative(entries, static_cast<PollCount>(count), timeoutMs);
}

#ifdef _WIN32
bool Interrupted()
{
    return false;
}
bool SetTimeout(Handle socket, int option, std::chrono::milliseconds timeout)
{
    const DWORD value = static_cast<DWORD>(timeout.count());
    return setsockopt(ToNative(socket), SOL_SOCKET, option, reinterpret_cast<const char*>(&value),
                      sizeof value) == 0;
}
// Winsock, once for the process and never given back: whatever talks to a
// host finds it started. The host dialogs' own starts and releases are
// counted on top of this one.
void StartForProcess()
{
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    static_cast<void>(started);
}
// A datagram to a port nobody listens on makes Windows fail the next
// receive (the ICMP answer); POSIX ignores that on an unconnected socket, and
// so must this one: the host's silence is the only answer there is.
void IgnorePortUnreachable(Native socket)
{
    BOOL report = FALSE;
    DWORD returned = 0;
    WSAIoctl(socket, SIO_UDP_CONNRESET, &report, sizeof report, nullptr, 0, &returned, nullptr,
             nullptr);
}
#else
bool Interrupted()
{
    return errno == EINTR;
}
bool SetTimeout(Handle socket, int option, std::chrono::milliseconds timeout)
{
    timeval value{};
    value.tv_sec = static_cast<time_t>(timeout.count() / 1000);
    value.tv_usec = static_cast<suseconds_t>(timeout.count() % 1000 * 1000);
    return setsockopt(ToNative(socket), SOL_SOCKET, option, &value, sizeof value) == 0;
}
void StartForProcess() {} // POSIX sockets need no start-up
void IgnorePortUnreachable(Native /*socket*/) {}
#endif

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

std::optional<std::uint32_t> ParseIpv4(const std::string& dotted)
{
    StartForProcess();
    in_addr address{};
    if (inet_pton(AF_INET, dotted.c_str(), &address) != 1)
        return std::nullopt;
    return ntohl(address.s_addr);
}

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

std::optional<std::vector<std::string>> InterfaceNames()
{
#ifdef _WIN32
    return std::nullopt;
#else
    struct if_nameindex* interfaces = if_nameindex();
    if (interfaces == nullptr)
        return std::nullopt;
    std::vector<std::string> names;
    for (const struct if_nameindex* i = interfaces; i->if_index != 0 || i->if_name != nullptr; ++i)
        names.emplace_back(i->if_name == nullptr ? "" : i->if_name);
    if_freenameindex(interfaces);
    return names;
#endif
}

Handle OpenSocket()
{
    StartForProcess();
    const Native socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
#ifdef _WIN32
    if (socket == INVALID_SOCKET)
        return kNoHandle;
#else
    if (socket < 0)
        return kNoHandle;
#endif
    IgnorePortUnreachable(socket);
    return static_cast<Handle>(socket);
}

void CloseSocket(Handle socket)
{
    if (socket == kNoHandle)
        return;
#ifdef _WIN32
    closesocket(ToNative(socket));
#else
    close(ToNative(socket));
#endif
}

bool SetSendTimeout(Handle socket, std::chrono::milliseconds timeout)
{
    return SetTimeout(socket, SO_SNDTIMEO, timeout);
}

bool SetReceiveTimeout(Handle socket, std::chrono::milliseconds timeout)
{
    return SetTimeout(socket, SO_RCVTIMEO, timeout);
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
#ifdef _WIN32
    // Winsock fails a datagram longer than the buffer, after filling it.
    if (received == SOCKET_ERROR && WSAGetLastError() == WSAEMSGSIZE)
        return static_cast<long>(buffer.size());
#endif
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

} // namespace hostlink::udp

// The socket library a host dialog starts for its own use.
namespace hostlink {

#ifdef _WIN32

bool StartSocketLayer()
{
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return false;
    // Anything but 2.2 is not the library the host link was written for.
    if (LOBYTE(data.wVersion) != 2 || HIBYTE(data.wHighVersion) != 2) {
        WSACleanup();
        return false;
    }
    return true;
}

void ReleaseSocketLayer()
{
    WSACleanup();
}

#else

bool StartSocketLayer()
{
    return true; // POSIX sockets need no start-up
}

void ReleaseSocketLayer() {}

#endif

} // namespace hostlink
