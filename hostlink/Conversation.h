#pragma once

#include "hostlink/HostLink.h"
#include "hostlink/HostLinkOptions.h"
#include "show/Failure.h"

#include <memory>
#include <optional>
#include <stop_token>

namespace hostlink {

// Whom one conversation talks to and what stops it, settled before it
// starts: a conversation asks nobody anything and shows nothing, so it can
// run on any thread.
struct HostConversation
{
    int hostCode = 0;       // 1..252, checked by whoever asked for it
    HostLinkOptions link{}; // where host codes live, and the waits
    std::stop_token stop{}; // ends the conversation, a wait on the host included
    HostLinkMaker makeLink = MakeHostLinkSocket; // tests wrap the socket to make it fail
};

// How a conversation ended. A failure goes back to the caller, who puts it
// into the user's words.
struct ConversationResult
{
    enum Status
    {
        kCompleted,
        kCancelled, // stopped before it could end
        kFailed,
    };
    Status status = kCompleted;
    std::optional<show::Failure> failure{}; // why, when it failed

    bool Completed() const { return status == kCompleted; }
};

inline ConversationResult Failed(show::FailureCode code)
{
    return {ConversationResult::kFailed, show::Failure(code)};
}

// A conversation whose frames have gone: its result so far, and its link,
// left open while the host's late answers are still to be listened for
// (hostlink/LateAnswers.h); closed, or none, when the result stands as it is.
template <typename Result> struct SentFrames
{
    Result result;
    std::unique_ptr<HostLink> link;
};

} // namespace hostlink
