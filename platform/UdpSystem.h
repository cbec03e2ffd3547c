#pragma once

// What Udp.cpp needs of each system's sockets, given by UdpPosix.cpp or
// UdpWindows.cpp: the native types, and the few calls that differ.
#include "platform/Udp.h"

#ifdef _WIN32
// mswsock.h needs winsock2.h before it.
// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
#include <mswsock.h>
// clang-format on
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#endif

#include <chrono>
#include <cstddef>

namespace platform::udp::system {

#ifdef _WIN32
using Native = SOCKET;
using AddressLength = int;
using PollEntry = WSAPOLLFD;
#else
using Native = int;
using AddressLength = socklen_t;
using PollEntry = pollfd;
#endif

inline Native ToNative(Handle socket)
{
    return static_cast<Native>(socket);
}

// A new datagram socket, set up as the host link needs it; kNoHandle when
// none can be had.
Handle NewSocket();
void CloseNative(Native socket);
bool SetTimeout(Native socket, int option, std::chrono::milliseconds timeout);
int Poll(PollEntry* entries, std::size_t count, int timeoutMs);
// After a failed poll: whether a signal only interrupted it.
bool Interrupted();
// After a failed receive: whether the datagram was longer than the buffer,
// which the buffer then holds the start of.
bool LastReceiveTooLong();

} // namespace platform::udp::system
