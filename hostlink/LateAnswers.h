#pragma once

#include "hostlink/Conversation.h"
#include "hostlink/HostLink.h"
#include "show/Failure.h"

#include <initializer_list>
#include <stop_token>

namespace hostlink {

// Listens on every link until its host has been quiet long enough after its
// last answer (HostLink::QuietAt), or answered once too often; all in the
// one wait, so that conversations that end together wait together. False
// when a stop requested on `stop` came first.
bool ListenForLateAnswers(std::initializer_list<HostLink*> links, std::stop_token stop);

// A conversation's result once its link was listened to. More answers than
// frames fail it with `tooMany`, whatever it was: no answer of that host can
// be relied on then. Not `heard` out (a stop came first), a completed
// conversation is not confirmed: cancelled. A failed one stays failed.
void ConcludeWith(ConversationResult& result, const HostLink& link, bool heard,
                  show::FailureCode tooMany);

// Both, for a conversation on its own.
template <typename Result>
Result Concluded(SentFrames<Result>&& sent, std::stop_token stop, show::FailureCode tooMany)
{
    if (sent.link)
        ConcludeWith(sent.result, *sent.link, ListenForLateAnswers({sent.link.get()}, stop),
                     tooMany);
    return std::move(sent.result);
}

} // namespace hostlink
