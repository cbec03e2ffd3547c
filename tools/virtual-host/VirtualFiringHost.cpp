#include "tools/virtual-host/VirtualFiringHost.h"

#include "hostlink/FrameLayout.h"

#include <algorithm>
#include <array>
#include <thread>

namespace hostlink {

namespace {

constexpr std::chrono::milliseconds kStopCheck{50};
constexpr std::size_t kLargestDatagram = 65536;

bool OpenBound(const std::string& address, std::uint16_t port, udp::Handle& socket,
               std::string& error)
{
    const auto parsed = udp::ParseIpv4(address);
    if (!parsed) {
        error = "not an IPv4 address: " + address;
        return false;
    }
    socket = udp::OpenSocket();
    if (socket == udp::kNoHandle || !udp::Bind(socket, {*parsed, port})) {
        error = "cannot listen on " + udp::FormatEndpoint({*parsed, port});
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
    repeats_.clear();
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
    port_ = udp::LocalEndpoint(main_).value_or(udp::Endpoint{}).port;
    if (options_.replyFromOtherPort) {
        if (!OpenBound(options_.address, 0, other_, error))
            return false;
        otherPort_ = udp::LocalEndpoint(other_).value_or(udp::Endpoint{}).port;
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
    for (udp::Handle* socket : {&main_, &other_, &second_, &decoy_}) {
        udp::CloseSocket(*socket);
        *socket = udp::kNoHandle;
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
    std::vector<udp::Handle> listening{main_};
    if (other_ != udp::kNoHandle)
        listening.push_back(other_);
    std::vector<std::uint8_t> buffer(kLargestDatagram);
    while (!stop_) {
        const udp::Readiness ready = udp::WaitReadable(listening, UntilNextRepeat());
        SendRepeatsDue();
        if (ready.status != udp::Readiness::kReady)
            continue;
        const udp::Handle socket = listening[ready.index];
        udp::Endpoint from;
        const long received = udp::ReceiveFrom(socket, buffer, from);
        if (received < 0)
            continue;
        const std::uint16_t localPort = socket == main_ ? port_ : otherPort_;
        Handle(std::span(buffer).first(static_cast<std::size_t>(received)), from, localPort,
               socket);
    }
    // A second answer already owed still goes out: a host stopped right after
    // a frame would otherwise swallow it.
    while (!repeats_.empty()) {
        std::this_thread::sleep_until(repeats_.front().due);
        SendRepeatsDue();
    }
}

void VirtualFiringHost::Handle(std::span<const std::uint8_t> datagram, const udp::Endpoint& from,
                               std::uint16_t localPort, udp::Handle arrivedOn)
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
    Reply(record.reply, from, arrivedOn);
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
    if (options_.silentFrom > 0 && record.number >= options_.silentFrom)
        return HostFrameRecord::kNone;
    if (!record.problem.empty() || record.number == options_.refuseFrame)
        return HostFrameRecord::kRefused;
    if (frame.kind == DecodedFrame::kProjectName)
        sequence_.ProjectName();
    else if (frame.kind == DecodedFrame::kCue)
        sequence_.Accept(frame.position);
    return HostFrameRecord::kAccepted;
}

void VirtualFiringHost::Reply(HostFrameRecord::Reply reply, const udp::Endpoint& to,
                              udp::Handle arrivedOn)
{
    if (reply == HostFrameRecord::kNone)
        return;
    if (options_.replyDelay.count() > 0)
        std::this_thread::sleep_for(options_.replyDelay);
    const std::array<std::uint8_t, kAcknowledgementSize> accepted{1, 0, 0, 0};
    if (decoy_ != udp::kNoHandle)
        udp::SendTo(decoy_, accepted, to);
    std::array<std::uint8_t, kAcknowledgementSize + 1> bytes{};
    bytes[0] = reply == HostFrameRecord::kAccepted ? 1 : 0;
    const std::size_t size = options_.replyFiveBytes ? bytes.size() : kAcknowledgementSize;
    udp::Handle from = arrivedOn;
    if (second_ != udp::kNoHandle)
        from = second_;
    else if (other_ != udp::kNoHandle)
        from = other_;
    udp::SendTo(from, std::span(bytes).first(size), to);
    if (options_.answerTwice)
        udp::SendTo(from, std::span(bytes).first(size), to);
    if (options_.replyTwiceAfter.count() > 0)
        repeats_.push_back({std::chrono::steady_clock::now() + options_.replyTwiceAfter, from, to,
                            std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + size)});
}

void VirtualFiringHost::SendRepeatsDue()
{
    const auto now = std::chrono::steady_clock::now();
    while (!repeats_.empty() && repeats_.front().due <= now) {
        const Repeat& repeat = repeats_.front();
        udp::SendTo(repeat.from, repeat.bytes, repeat.to);
        repeats_.pop_front();
    }
}

std::chrono::milliseconds VirtualFiringHost::UntilNextRepeat() const
{
    if (repeats_.empty())
        return kStopCheck;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(
        repeats_.front().due - std::chrono::steady_clock::now());
    return std::clamp(left, std::chrono::milliseconds{0}, kStopCheck);
}

} // namespace hostlink
