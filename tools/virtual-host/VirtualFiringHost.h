#pragma once

#include "platform/Udp.h"
#include "tools/virtual-host/FrameDecoder.h"
#include "tools/virtual-host/PositionSequence.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace hostlink {

// How the virtual host behaves. Frames are counted from 1 in the order they
// arrive, whatever their kind.
struct VirtualHostOptions
{
    std::string address = "127.0.0.1";
    std::uint16_t port = 10061;      // 0: any free port (see VirtualFiringHost::Port)
    int refuseFrame = 0;             // K > 0: frame K is refused
    int silentFrom = 0;              // K > 0: frames from K on get no reply
    int refuseCue = 0;               // K > 0: the K-th cue frame after each project name is refused
    bool replyFromOtherPort = false; // replies leave from a second port, which also listens
    bool replyFiveBytes = false;     // every reply gets a fifth byte
    std::chrono::milliseconds replyDelay{0};
    std::chrono::milliseconds replyTwiceAfter{0}; // > 0: each reply goes again this much later
    // Frame K's reply waits this much longer than the others (a late answer).
    std::map<int, std::chrono::milliseconds> lateFrames{};
    // Frame K's reply goes again this much after it (a second answer to one
    // frame, which may come after the next frame was sent).
    std::map<int, std::chrono::milliseconds> repeatedFrames{};
    std::string replyFromAddress{}; // non-empty: replies leave from this address instead
    std::string decoyFromAddress{}; // non-empty: an "accepted" from here before each reply
    bool answerTwice = false;       // every reply goes out twice, as a faulty host's
    bool keepBytes = false;         // each frame's record keeps the datagram itself
};

// What the host made of one datagram.
struct HostFrameRecord
{
    int number = 0; // from 1
    platform::udp::Endpoint sender;
    std::uint16_t localPort = 0; // the port it arrived on
    std::string listen;          // "address:port" it arrived on
    DecodedFrame frame;
    std::vector<std::uint8_t> bytes; // the datagram, when the host keeps them
    std::string problem;             // why it was refused on its merits; empty if it was fine
    enum Reply
    {
        kAccepted,
        kRefused,
        kNone
    };
    Reply reply = kAccepted;
};

// A firing host in a program: listens on an address and port, checks every
// datagram (marker, type, payload length, checksum, text fields, position
// codes), acknowledges with 01 00 00 00 or refuses with 00 00 00 00, and
// reports each frame. Faults can be asked for, to rehearse what a real host
// may do.
class VirtualFiringHost
{
public:
    using FrameListener = std::function<void(const HostFrameRecord&)>;

    explicit VirtualFiringHost(VirtualHostOptions options);
    ~VirtualFiringHost();
    VirtualFiringHost(const VirtualFiringHost&) = delete;
    VirtualFiringHost& operator=(const VirtualFiringHost&) = delete;

    // Called on the host's thread for every frame, once its reply went out or
    // was put off until its time.
    void SetFrameListener(FrameListener listener) { listener_ = std::move(listener); }

    // Opens the sockets and starts answering; false with the reason when an
    // address is not usable or a socket cannot be bound.
    bool Start(std::string& error);
    void Stop();

    std::uint16_t Port() const { return port_; }
    std::uint16_t OtherPort() const { return otherPort_; }
    std::vector<HostFrameRecord> Records() const;
    // Waits until `count` frames have been handled; false on time-out.
    bool WaitForFrames(std::size_t count, std::chrono::milliseconds timeout) const;

private:
    bool OpenSockets(std::string& error);
    void CloseSockets();
    void Serve();
    void Handle(std::span<const std::uint8_t> datagram, const platform::udp::Endpoint& from,
                std::uint16_t localPort, platform::udp::Handle arrivedOn);
    HostFrameRecord::Reply Decide(HostFrameRecord& record);
    void Reply(const HostFrameRecord& record, const platform::udp::Endpoint& to,
               platform::udp::Handle arrivedOn);
    void SendDue();
    std::chrono::milliseconds UntilNextDue() const;

    // A datagram to send at a time of its own: a late reply, or a reply sent
    // once more. Frames keep arriving meanwhile, as on a real host.
    struct Outgoing
    {
        platform::udp::Handle from;
        platform::udp::Endpoint to;
        std::vector<std::uint8_t> bytes;
    };
    void SendAt(std::chrono::steady_clock::time_point due, Outgoing outgoing);

    VirtualHostOptions options_;
    FrameListener listener_;
    platform::udp::Handle main_ = platform::udp::kNoHandle;
    platform::udp::Handle other_ = platform::udp::kNoHandle;  // second port
    platform::udp::Handle second_ = platform::udp::kNoHandle; // second address
    platform::udp::Handle decoy_ = platform::udp::kNoHandle;
    std::uint16_t port_ = 0;
    std::uint16_t otherPort_ = 0;
    PositionSequence sequence_;
    int received_ = 0;
    int cuesSinceProjectName_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<HostFrameRecord> records_;
    // The host's thread only, soonest first; equal times in the order queued.
    std::multimap<std::chrono::steady_clock::time_point, Outgoing> pending_;
};

} // namespace hostlink
