#include "platform/UdpSystem.h"

#include <cerrno>
#include <net/if.h>
#include <sys/time.h>
#include <unistd.h>

namespace platform::udp {

namespace system {

Handle NewSocket()
{
    const Native socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    return socket < 0 ? kNoHandle : static_cast<Handle>(socket);
}

void CloseNative(Native socket)
{
    ::close(socket);
}

bool SetTimeout(Native socket, int option, std::chrono::milliseconds timeout)
{
    timeval value{};
    value.tv_sec = static_cast<time_t>(timeout.count() / 1000);
    value.tv_usec = static_cast<suseconds_t>(timeout.count() % 1000 * 1000);
    return setsockopt(socket, SOL_SOCKET, option, &value, sizeof value) == 0;
}

int Poll(PollEntry* entries, std::size_t count, int timeoutMs)
{
    return ::poll(entries, static_cast<nfds_t>(count), timeoutMs);
}

bool Interrupted()
{
    return errno == EINTR;
}

bool LastReceiveTooLong()
{
    return false; // POSIX cuts the datagram and says nothing
}

} // namespace system

std::optional<std::uint32_t> ParseIpv4(const std::string& dotted)
{
    in_addr address{};
    if (inet_pton(AF_INET, dotted.c_str(), &address) != 1)
        return std::nullopt;
    return ntohl(address.s_addr);
}

std::optional<std::vector<std::string>> InterfaceNames()
{
    struct if_nameindex* interfaces = if_nameindex();
    if (interfaces == nullptr)
        return std::nullopt;
    std::vector<std::string> names;
    for (const struct if_nameindex* i = interfaces; i->if_index != 0 || i->if_name != nullptr; ++i)
        names.emplace_back(i->if_name == nullptr ? "" : i->if_name);
    if_freenameindex(interfaces);
    return names;
}

} // namespace platform::udp
