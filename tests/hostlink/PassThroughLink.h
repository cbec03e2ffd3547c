#pragma once

#include "hostlink/HostLink.h"
#include "hostlink/HostLinkOptions.h"
#include "hostlink/HostLinkSocket.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <stop_token>

namespace hostlinktest {

// A real socket that a test watches: every call goes on to the socket, and a
// test's link overrides the calls it watches.
class PassThroughLink : public hostlink::HostLink
{
public:
    explicit PassThroughLink(const hostlink::HostLinkOptions& options) : socket_(options) {}

    OpenStatus Open(int hostCode) override { return socket_.Open(hostCode); }
    void ClearReply() override { socket_.ClearReply(); }
    bool Send(std::span<const std::uint8_t> frame) override { return socket_.Send(frame); }
    Reply AwaitAcknowledgement(std::stop_token stop) override
    {
        return socket_.AwaitAcknowledgement(stop);
    }
    int ExtraAnswers() const override { return socket_.ExtraAnswers(); }
    std::chrono::steady_clock::time_point QuietAt() const override { return socket_.QuietAt(); }
    bool ListenUntil(std::chrono::steady_clock::time_point until, std::stop_token stop) override
    {
        return socket_.ListenUntil(until, stop);
    }
    void Close() override { socket_.Close(); }

protected:
    const hostlink::HostLinkSocket& Socket() const { return socket_; }

private:
    hostlink::HostLinkSocket socket_;
};

} // namespace hostlinktest
