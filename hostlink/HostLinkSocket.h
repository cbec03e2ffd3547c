#pragma once

#include "hostlink/FrameLayout.h"
#include "hostlink/HostLink.h"
#include "platform/Udp.h"

namespace hostlink {

// The UDP conversation with one host: one unbound socket, one frame per
// datagram, one 4-byte reply per frame.
//
// A reply counts only when it comes from the host's own address; any other
// datagram is dropped and the wait goes on until the time-out. A reply from
// another port of the host moves every later frame to that port (hosts may
// answer from a port of their own). A reply of any length but four is no
// reply: a short one must not leave an earlier reply's bytes to be read as
// an acknowledgement.
class HostLinkSocket final : public HostLink
{
public:
    explicit HostLinkSocket(HostLinkOptions options = {});
    ~HostLinkSocket() override;
    HostLinkSocket(const HostLinkSocket&) = delete;
    HostLinkSocket& operator=(const HostLinkSocket&) = delete;

    OpenStatus Open(int hostCode) override;
    void ClearReply() override;
    bool Send(std::span<const std::uint8_t> frame) override;
    Reply AwaitAcknowledgement(std::stop_token stop = {}) override;
    int ExtraAnswers() const override { return extraAnswers_; }
    std::chrono::steady_clock::time_point QuietAt() const override;
    bool ListenUntil(std::chrono::steady_clock::time_point until,
                     std::stop_token stop = {}) override;
    void Close() override;

    bool IsOpen() const { return socket_ != platform::udp::kNoHandle; }
    // Where the next frame goes.
    const platform::udp::Endpoint& Destination() const { return destination_; }
    const Acknowledgement& LastReply() const { return reply_; }

private:
    // Reads what arrives until `deadline`; true at the first datagram from
    // the host's address, the others are dropped.
    bool HostDatagramBefore(std::chrono::steady_clock::time_point deadline);
    void HeardAnswer(std::chrono::steady_clock::time_point at);

    HostLinkOptions options_;
    platform::udp::Handle socket_ = platform::udp::kNoHandle;
    platform::udp::Endpoint destination_;
    Acknowledgement reply_;
    int extraAnswers_ = 0;
    std::chrono::steady_clock::time_point lastSent_{};
    std::chrono::steady_clock::time_point lastAnswer_{};
    std::chrono::milliseconds slowestAnswer_{0}; // from a frame's send to its answer
};

} // namespace hostlink
