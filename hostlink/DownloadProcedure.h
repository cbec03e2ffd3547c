#pragma once

#include "hostlink/Conversation.h"
#include "show/Cue.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>

namespace hostlink {

// One download, as its dialog or the command line settled it: the cues are
// read and the host code checked before it starts.
struct DownloadRequest
{
    HostConversation host{};
    // In the order they go (launch-time order); the caller keeps them until
    // the download has ended.
    std::span<const show::Cue> cues{};
    // After each acknowledged cue: the percent of the show the host has. On
    // the download's own thread.
    std::function<void(int percent)> progress{};
};

struct DownloadResult : ConversationResult
{
    std::size_t acknowledged = 0; // cues the host accepted
    // The frames of the download, the project name first: in all, those the
    // host acknowledged, and the digest of exactly those (FrameDigest).
    std::size_t frames = 0;
    std::size_t framesAcknowledged = 0;
    std::string digest;
};

// The download conversation: the project name, then every cue, each
// acknowledged before the next goes. Every cue frame is built before
// anything is sent: a cue that cannot be built ends the download before the
// host has any part of the show. A stop is seen before each cue and ends a
// wait on the host at once.
DownloadResult SendShow(const DownloadRequest& request);

// The integer part of 100 * acknowledged / total; 100 for an empty show.
int DownloadPercent(std::size_t acknowledged, std::size_t total);

} // namespace hostlink
