#include "tools/virtual-host/VirtualFiringHost.h"

#include "hostlink/FrameLayout.h"

#include <algorithm>
#include <array>
#include <thread>

namespace hostlink {

namespace {

constexpr std::chrono::milliseconds kStopCheck{50};
constexpr std::size_t kLargestDatagram = 65536;

bool OpenBound(const std::string& address, std::uint16_t port, platform::udp::Handle& socket,
               std::string& error)
{
    const auto parsed = platform::udp::ParseIpv4(address);
    if (!parsed) {
        error = "not an IPv4 address: " + address;
        return false;
    }
    socket = platform::udp::OpenSocket();
    if (socket == platform::udp::kNoHandle || !platform::udp::Bind(socket, {*parsed, port})) {
        error = "cannot listen on " + platform::udp::FormatEndpoint({*parsed, port});
        return false;
    }
    return true;
}

} // namespace

VirtualFiringHost::VirtualFiringHost(VirtualHostOptions options) : options_(std::move(options)) {}

VirtualFiringHost::~VirtualFiringHost()
{
    Stop();
}

bool VirtualFiringHost::Start(std::string& error)
{
    Stop();
    if (!OpenSockets(error)) {
        CloseSockets();
        return false;
    }
    stop_ = false;
    pending_.clear();
    thread_ = std::thread([this] { Serve(); });
    return true;
}

void VirtualFiringHost::Stop()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    CloseSockets();
}

bool VirtualFiringHost::OpenSockets(std::string& error)
{
    if (!OpenBound(options_.address, options_.port, main_, error))
        return false;
    port_ = platform::udp::LocalEndpoint(main_).value_or(platform::udp::Endpoint{}).port;
    if (options_.replyFromOtherPort) {
        if (!OpenBound(options_.address, 0, other_, error))
            return false;
        otherPort_ = platform::udp::LocalEndpoint(other_).value_or(platform::udp::Endpoint{}).port;
    }
    if (!options_.replyFromAddress.empty() &&
        !OpenBound(options_.replyFromAddress, 0, second_, error))
        return false;
    if (!options_.decoyFromAddress.empty() &&
        !OpenBound(options_.decoyFromAddress, 0, decoy_, error))
        return false;
    return true;
}

void VirtualFiringHost::CloseSockets()
{
    for (platform::udp::Handle* socket : {&main_, &other_, &second_, &decoy_}) {
        platform::udp::CloseSocket(*socket);
        *socket = platform::udp::kNoHandle;
    }
}

std::vector<HostFrameRecord> VirtualFiringHost::Records() const
{
    const std::lock_guard lock(mutex_);
    return records_;
}

bool VirtualFiringHost::WaitForFrames(std::size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return records_.size() >= count; });
}

void VirtualFiringHost::Serve()
{
    // Frames arrive on the main port, and on the second port once a client
    // follows a reply from there.
    std::vector<platform::udp::Handle> listening{main_};
    if (other_ != platform::udp::kNoHandle)
        listening.push_back(other_);
    std::vector<std::uint8_t> buffer(kLargestDatagram);
    while (!stop_) {
        const platform::udp::Readiness ready =
            platform::udp::WaitReadable(listening, UntilNextDue());
        SendDue();
        if (ready.status != platform::udp::Readiness::kReady)
            continue;
        const platform::udp::Handle socket = listening[ready.index];
        platform::udp::Endpoint from;
        const long received = platform::udp::ReceiveFrom(socket, buffer, from);
        if (received < 0)
            continue;
        const std::uint16_t localPort = socket == main_ ? port_ : otherPort_;
        Handle(std::span(buffer).first(static_cast<std::size_t>(received)), from, localPort,
               socket);
    }
    // An answer already owed still goes out: a host stopped right after a
    // frame would otherwise swallow it.
    while (!pending_.empty()) {
        std::this_thread::sleep_until(pending_.begin()->first);
        SendDue();
    }
}

void VirtualFiringHost::Handle(std::span<const std::uint8_t> datagram,
                               const platform::udp::Endpoint& from, std::uint16_t localPort,
                               platform::udp::Handle arrivedOn)
{
    HostFrameRecord record;
    record.number = ++received_;
    record.sender = from;
    record.localPort = localPort;
    record.listen = options_.address + ':' + std::to_string(localPort);
    record.frame = DecodeFrame(datagram);
    if (options_.keepBytes)
        record.bytes.assign(datagram.begin(), datagram.end());
    record.reply = Decide(record);
    // Kept before the reply goes: whoever got the reply finds the frame here.
    {
        const std::lock_guard lock(mutex_);
        records_.push_back(record);
    }
    changed_.notify_all();
    Reply(record, from, arrivedOn);
    if (listener_)
        listener_(record);
}

HostFrameRecord::Reply VirtualFiringHost::Decide(HostFrameRecord& record)
{
    const DecodedFrame& frame = record.frame;
    if (frame.kind == DecodedFrame::kInvalid)
        record.problem = frame.error;
    else if (frame.kind == DecodedFrame::kCue)
        record.problem = sequence_.Check(frame.position);
    if (frame.kind == DecodedFrame::kCue)
        ++cuesSinceProjectName_;
    if (options_.silentFrom > 0 && record.number >= options_.silentFrom)
        return HostFrameRecord::kNone;
    if (!record.problem.empty() || record.number == options_.refuseFrame ||
        (frame.kind == DecodedFrame::kCue && cuesSinceProjectName_ == options_.refuseCue))
        return HostFrameRecord::kRefused;
    if (frame.kind == DecodedFrame::kProjectName) {
        sequence_.ProjectName();
        cuesSinceProjectName_ = 0;
    } else if (frame.kind == DecodedFrame::kCue) {
        sequence_.Accept(frame.position);
    }
    return HostFrameRecord::kAccepted;
}

void VirtualFiringHost::Reply(const HostFrameRecord& record, const platform::udp::Endpoint& to,
                              platform::udp::Handle arrivedOn)
{
    if (record.reply == HostFrameRecord::kNone)
        return;
    const auto extra = [&record](const std::map<int, std::chrono::milliseconds>& byFrame) {
        const auto found = byFrame.find(record.number);
        return found == byFrame.end() ? std::chrono::milliseconds(0) : found->second;
    };
    const auto due =
        std::chrono::steady_clock::now() + options_.replyDelay + extra(options_.lateFrames);
    const std::array<std::uint8_t, kAcknowledgementSize> accepted{1, 0, 0, 0};
    if (decoy_ != platform::udp::kNoHandle)
        SendAt(due, {decoy_, to, {accepted.begin(), accepted.end()}});
    std::vector<std::uint8_t> bytes(options_.replyFiveBytes ? kAcknowledgementSize + 1
                                                            : kAcknowledgementSize);
    bytes[0] = record.reply == HostFrameRecord::kAccepted ? 1 : 0;
    platform::udp::Handle from = arrivedOn;
    if (second_ != platform::udp::kNoHandle)
        from = second_;
    else if (other_ != platform::udp::kNoHandle)
        from = other_;
    SendAt(due, {from, to, bytes});
    if (options_.answerTwice)
        SendAt(due, {from, to, bytes});
    if (options_.replyTwiceAfter.count() > 0)
        SendAt(due + options_.replyTwiceAfter, {from, to, bytes});
    if (const auto again = extra(options_.repeatedFrames); again.count() > 0)
        SendAt(due + again, {from, to, bytes});
}

void VirtualFiringHost::SendAt(std::chrono::steady_clock::time_point due, Outgoing outgoing)
{
    pending_.emplace(due, std::move(outgoing));
    SendDue();
}

void VirtualFiringHost::SendDue()
{
    const auto now = std::chrono::steady_clock::now();
    while (!pending_.empty() && pending_.begin()->first <= now) {
        const Outgoing& outgoing = pending_.begin()->second;
        platform::udp::SendTo(outgoing.from, outgoing.bytes, outgoing.to);
        pending_.erase(pending_.begin());
    }
}

std::chrono::milliseconds VirtualFiringHost::UntilNextDue() const
{
    if (pending_.empty())
        return kStopCheck;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(
        pending_.begin()->first - std::chrono::steady_clock::now());
    return std::clamp(left, std::chrono::milliseconds{0}, kStopCheck);
}

} // namespace hostlink
