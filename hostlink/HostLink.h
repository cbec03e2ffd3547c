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
    // Answers heard beyond one per frame sent: those found waiting when a
    // frame went out, and those heard by ListenUntil. An acknowledgement
    // carries no frame number, so once the host answered one frame twice,
    // every later answer may be an earlier frame's: from then on what the host
    // holds cannot be told from its answers.
    virtual int ExtraAnswers() const = 0;
    // When a late answer to the frames sent so far would have come, if the
    // host owes one: the last answer's arrival plus the end wait, longer for
    // a host that answered slowly (HostLinkOptions::endWait).
    virtual std::chrono::steady_clock::time_point QuietAt() const = 0;
    // Listens, with no frame awaiting its answer, until `until` (or at once
    // for what already waits when `until` has passed), counting every
    // datagram of the host as an extra answer; ends at the first one. False
    // when a stop requested on `stop` ended it first.
    virtual bool ListenUntil(std::chrono::steady_clock::time_point until,
                             std::stop_token stop = {}) = 0;
    virtual void Close() = 0;
};

// Makes the link a procedure talks through: the socket in the program, a
// wrapper around it in tests that need a send to fail.
using HostLinkMaker = std::function<std::unique_ptr<HostLink>(const HostLinkOptions&)>;

std::unique_ptr<HostLink> MakeHostLinkSocket(const HostLinkOptions& options);

} // namespace hostlink
