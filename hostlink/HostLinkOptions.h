#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace hostlink {

inline constexpr char kHostAddressPattern[] = "192.168.10.%i";
inline constexpr std::uint16_t kHostPort = 10061;
inline constexpr std::chrono::milliseconds kHostTimeout{5000};
// How long a conversation listens after its last acknowledgement for a host
// that answers twice.
inline constexpr std::chrono::milliseconds kAnswerGrace{50};

// Where a host code's host lives and how long to wait on it. The defaults
// are the field's and the only ones the program uses; tests put hosts on
// loopback and shorten the waits.
struct HostLinkOptions
{
    std::string addressPattern = kHostAddressPattern; // "%i" becomes the host code
    std::uint16_t port = kHostPort;
    std::chrono::milliseconds sendTimeout = kHostTimeout;
    std::chrono::milliseconds receiveTimeout = kHostTimeout;
    std::chrono::milliseconds answerGrace = kAnswerGrace;
};

// The dotted address of a host code: the pattern with "%i" replaced.
std::string HostAddressText(const HostLinkOptions& options, int hostCode);

} // namespace hostlink
