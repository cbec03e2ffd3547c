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
// acknowledged before the next goes, then the wait for a late answer
// (ListenForLateAnswers). Every cue frame is built before anything is sent:
// a cue that cannot be built ends the download before the host has any part
// of the show. A stop is seen before each cue and ends a wait on the host at
// once. A host that answered more often than it was sent frames fails it
// (kDownloadAnsweredTwice), whatever else its answers said.
DownloadResult SendShow(const DownloadRequest& request);

// The same without the wait at its end: its link comes back open when the
// host's late answers are still to be heard (every cue acknowledged, or one
// refused, which an earlier frame's second answer could be). Settled by
// Concluded(sent, stop, kDownloadAnsweredTwice), or together with other
// links by ListenForLateAnswers and ConcludeWith.
SentFrames<DownloadResult> SendShowFrames(const DownloadRequest& request);

// The integer part of 100 * acknowledged / total; 100 for an empty show.
int DownloadPercent(std::size_t acknowledged, std::size_t total);

} // namespace hostlink
