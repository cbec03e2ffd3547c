#include "hostlink/HostLinkSocket.h"

#include "hostlink/Rehearsal.h"
#include "show/HostCode.h"

#include <algorithm>
#include <utility>

namespace hostlink {

namespace {
// A flood of stray datagrams must not keep a send from happening.
constexpr int kMostDiscardedDatagrams = 256;
// How often a wait looks whether it was cancelled.
constexpr std::chrono::milliseconds kCancelPoll{50};

std::chrono::milliseconds LeftUntil(std::chrono::steady_clock::time_point deadline)
{
    return std::max(std::chrono::milliseconds(0), std::chrono::ceil<std::chrono::milliseconds>(
                                                      deadline - std::chrono::steady_clock::now()));
}
} // namespace

std::unique_ptr<HostLink> MakeHostLinkSocket(const HostLinkOptions& options)
{
    return std::make_unique<HostLinkSocket>(options);
}

HostLinkSocket::HostLinkSocket(HostLinkOptions options) : options_(std::move(options)) {}

HostLinkSocket::~HostLinkSocket()
{
    Close();
}

HostLink::OpenStatus HostLinkSocket::Open(int hostCode)
{
    Close();
    extraAnswers_ = 0;
    slowestAnswer_ = std::chrono::milliseconds(0);
    lastAnswer_ = lastSent_ = std::chrono::steady_clock::now();
    if (hostCode < show::kLowestHostCode || hostCode > show::kHighestHostCode)
        return OpenStatus::kNoSocket;
    const std::string dotted = HostAddressText(options_, hostCode);
    const auto address = platform::udp::ParseIpv4(dotted);
    // A rehearsal's conversations have no socket anywhere but on 127.0.0.1;
    // the destination is set here only, so no send can go elsewhere.
    if (!address || (options_.rehearsal && !IsRehearsalAddress(dotted)))
        return OpenStatus::kNoSocket;
    destination_ = {*address, options_.port};
    socket_ = platform::udp::OpenSocket();
    if (socket_ == platform::udp::kNoHandle)
        return OpenStatus::kNoSocket;
    // A time-out of zero means no time-out at all to the platform: every
    // wait on a host must end.
    if (options_.sendTimeout.count() <= 0 ||
        !platform::udp::SetSendTimeout(socket_, options_.sendTimeout)) {
        Close();
        return OpenStatus::kSendTimeoutFailed;
    }
    if (options_.receiveTimeout.count() <= 0 ||
        !platform::udp::SetReceiveTimeout(socket_, options_.receiveTimeout)) {
        Close();
        return OpenStatus::kReceiveTimeoutFailed;
    }
    return OpenStatus::kOpened;
}

void HostLinkSocket::ClearReply()
{
    reply_ = Acknowledgement{};
}

bool HostLinkSocket::Send(std::span<const std::uint8_t> frame)
{
    if (!IsOpen())
        return false;
    // Whatever waits now came before this frame, so it cannot answer it; one
    // of the host's own means it answered more often than it was asked.
    while (HostDatagramBefore(std::chrono::steady_clock::now()))
        ++extraAnswers_;
    lastSent_ = std::chrono::steady_clock::now();
    return platform::udp::SendTo(socket_, frame, destination_);
}

HostLink::Reply HostLinkSocket::AwaitAcknowledgement(std::stop_token stop)
{
    if (!IsOpen())
        return Reply::kNoReply;
    const auto deadline = std::chrono::steady_clock::now() + options_.receiveTimeout;
    for (;;) {
        const auto left = LeftUntil(deadline);
        if (left.count() <= 0)
            return Reply::kNoReply;
        const platform::udp::Handle sockets[] = {socket_};
        const platform::udp::Readiness ready =
            platform::udp::WaitReadable(sockets, std::min(left, kCancelPoll));
        // A reply already on its way is still taken; a stop ends only a wait
        // that found nothing.
        if (ready.status == platform::udp::Readiness::kTimedOut) {
            if (stop.stop_requested())
                return Reply::kCancelled;
            continue;
        }
        if (ready.status != platform::udp::Readiness::kReady)
            return Reply::kNoReply;
        // One byte more than a reply, to tell a longer datagram from a reply.
        std::array<std::uint8_t, kAcknowledgementSize + 1> buffer{};
        platform::udp::Endpoint from;
        const long received = platform::udp::ReceiveFrom(socket_, buffer, from);
        if (received < 0)
            return Reply::kNoReply;
        if (from.address != destination_.address)
            continue; // not the host: not its reply
        destination_.port = from.port;
        HeardAnswer(std::chrono::steady_clock::now());
        if (received != static_cast<long>(kAcknowledgementSize))
            return Reply::kNoReply;
        std::copy_n(buffer.begin(), kAcknowledgementSize, reply_.bytes.begin());
        return reply_.Accepted() ? Reply::kAccepted : Reply::kRefused;
    }
}

void HostLinkSocket::Close()
{
    platform::udp::CloseSocket(socket_);
    socket_ = platform::udp::kNoHandle;
}

void HostLinkSocket::HeardAnswer(std::chrono::steady_clock::time_point at)
{
    lastAnswer_ = at;
    slowestAnswer_ =
        std::max(slowestAnswer_, std::chrono::ceil<std::chrono::milliseconds>(at - lastSent_));
}

std::chrono::steady_clock::time_point HostLinkSocket::QuietAt() const
{
    // A host that took long over one answer may take as long over a second
    // one; past the reply time-out no answer is waited for anyway.
    return lastAnswer_ + std::min(options_.endWait + slowestAnswer_, options_.receiveTimeout);
}

bool HostLinkSocket::ListenUntil(std::chrono::steady_clock::time_point until, std::stop_token stop)
{
    if (!IsOpen())
        return true;
    for (;;) {
        const auto step = std::min(std::chrono::steady_clock::now() + kCancelPoll, until);
        if (HostDatagramBefore(step)) {
            ++extraAnswers_;
            return true;
        }
        if (std::chrono::steady_clock::now() >= until)
            return true;
        if (stop.stop_requested())
            return false;
    }
}

bool HostLinkSocket::HostDatagramBefore(std::chrono::steady_clock::time_point deadline)
{
    for (int i = 0; i < kMostDiscardedDatagrams; ++i) {
        const platform::udp::Handle sockets[] = {socket_};
        if (platform::udp::WaitReadable(sockets, LeftUntil(deadline)).status !=
            platform::udp::Readiness::kReady)
            return false;
        std::array<std::uint8_t, kAcknowledgementSize + 1> buffer{};
        platform::udp::Endpoint from;
        if (platform::udp::ReceiveFrom(socket_, buffer, from) < 0)
            return false;
        if (from.address == destination_.address)
            return true;
    }
    return false;
}

} // namespace hostlink
