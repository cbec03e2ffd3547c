#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace hostlink {

inline constexpr char kHostAddressPattern[] = "192.168.10.%i";
inline constexpr std::uint16_t kHostPort = 10061;
inline constexpr std::chrono::milliseconds kHostTimeout{5000};
// How long a conversation goes on listening after its last answer before it
// calls the host's answers sound. An acknowledgement carries no frame number:
// a host that answered one frame twice has its later answers taken for the
// next frames', and the one answer too many that gives it away comes after
// the last frame. Measured with hosts that answered a frame twice and
// refused a later one 150 to 700 ms late, that answer came 120 to 671 ms
// after the last one taken; answers on loopback took 0.03 ms (median) to
// 21 ms (the slowest of 20 000) on a loaded two-core machine. A second
// covers the late answers with a third of it to spare, and costs one second
// a conversation (a field load: one a host, all hosts at once). A host that
// was slower than that to answer is waited for as long again
// (HostLink::QuietAt).
inline constexpr std::chrono::milliseconds kEndWait{1000};

// Where a host code's host lives and how long to wait on it. The defaults
// are the field's and the only ones the program uses; tests put hosts on
// loopback and shorten the waits.
struct HostLinkOptions
{
    std::string addressPattern = kHostAddressPattern; // "%i" becomes the host code
    std::uint16_t port = kHostPort;
    std::chrono::milliseconds sendTimeout = kHostTimeout;
    std::chrono::milliseconds receiveTimeout = kHostTimeout;
    std::chrono::milliseconds endWait = kEndWait;
    // A rehearsal's link (hostlink/Rehearsal.h): its socket sends to
    // 127.0.0.1 or nowhere, and its conversations never count as the field's.
    bool rehearsal = false;
};

// The dotted address of a host code: the pattern with "%i" replaced.
std::string HostAddressText(const HostLinkOptions& options, int hostCode);

} // namespace hostlink
