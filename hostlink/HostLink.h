#pragma once

#include "hostlink/HostLinkOptions.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stop_token>

namespace hostlink {

// One conversation with one firing host: open for a host code, then frames
// sent one at a time, each followed by the wait for its acknowledgement.
class HostLink
{
public:
    enum class OpenStatus
    {
        kOpened,
        kNoSocket, // no socket for that host (no address, or none to be had)
        kSendTimeoutFailed,
        kReceiveTimeoutFailed,
    };
    enum class Reply
    {
        kNoReply,
        kAccepted,
        kRefused,
        kCancelled, // the wait was cancelled before a reply came
    };

    virtual ~HostLink() = default;

    virtual OpenStatus Open(int hostCode) = 0;
    // Clears the reply field; once per conversation, before the first frame.
    virtual void ClearReply() = 0;
    // Sends one frame in one datagram; false when it did not go out whole.
    virtual bool Send(std::span<const std::uint8_t> frame) = 0;
    // Waits for the reply to the frame just sent; a stop requested on `stop`
    // ends the wait within a tenth of a second.
    virtual Reply AwaitAcknowledgement(std::stop_token stop = {}) = 0;
    // True when the host sent something no frame asked for: a datagram of the
    // host's found waiting when the last frame was sent, or one arriving
    // within `wait` from now (asked only while no answer is awaited). A
    // correct host answers each frame once, and the acknowledgement carries
    // no frame number, so a second answer could pass for the next frame's.
    virtual bool AnsweredUnasked(std::chrono::milliseconds wait) = 0;
    virtual void Close() = 0;
};

// Makes the link a procedure talks through: the socket in the program, a
// wrapper around it in tests that need a send to fail.
using HostLinkMaker = std::function<std::unique_ptr<HostLink>(const HostLinkOptions&)>;

std::unique_ptr<HostLink> MakeHostLinkSocket(const HostLinkOptions& options);

} // namespace hostlink
