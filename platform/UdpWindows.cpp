#include "platform/SocketLayer.h"
#include "platform/UdpSystem.h"

namespace platform::udp {

namespace system {

Handle NewSocket()
{
    StartSocketLayerForProcess();
    const Native socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (socket == INVALID_SOCKET)
        return kNoHandle;
    // A datagram to a port nobody listens on makes Windows fail the next
    // receive (the ICMP answer); POSIX ignores that on an unconnected
    // socket, and so must this one: the host's silence is the only answer.
    BOOL report = FALSE;
    DWORD returned = 0;
    WSAIoctl(socket, SIO_UDP_CONNRESET, &report, sizeof report, nullptr, 0, &returned, nullptr,
             nullptr);
    return static_cast<Handle>(socket);
}

void CloseNative(Native socket)
{
    closesocket(socket);
}

bool SetTimeout(Native socket, int option, std::chrono::milliseconds timeout)
{
    const DWORD value = static_cast<DWORD>(timeout.count());
    return setsockopt(socket, SOL_SOCKET, option, reinterpret_cast<const char*>(&value),
                      sizeof value) == 0;
}

int Poll(PollEntry* entries, std::size_t count, int timeoutMs)
{
    return WSAPoll(entries, static_cast<ULONG>(count), timeoutMs);
}

bool Interrupted()
{
    return false;
}

bool LastReceiveTooLong()
{
    // Winsock fails a datagram longer than the buffer, after filling it.
    return WSAGetLastError() == WSAEMSGSIZE;
}

} // namespace system

std::optional<std::uint32_t> ParseIpv4(const std::string& dotted)
{
    StartSocketLayerForProcess();
    in_addr address{};
    if (inet_pton(AF_INET, dotted.c_str(), &address) != 1)
        return std::nullopt;
    return ntohl(address.s_addr);
}

std::optional<std::vector<std::string>> InterfaceNames()
{
    return std::nullopt; // no network namespaces: isolation is never claimed
}

} // namespace platform::udp
