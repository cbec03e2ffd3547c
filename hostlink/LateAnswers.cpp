#include "hostlink/LateAnswers.h"

namespace hostlink {

bool ListenForLateAnswers(std::initializer_list<HostLink*> links, std::stop_token stop)
{
    // One after the other: while one link is listened to, what comes to the
    // others waits in their sockets and is counted in their turn, so the
    // whole wait lasts about as long as the latest link's alone.
    for (HostLink* link : links)
        if (link->ExtraAnswers() == 0 && !link->ListenUntil(link->QuietAt(), stop))
            return false;
    return true;
}

void ConcludeWith(ConversationResult& result, const HostLink& link, bool heard,
                  show::FailureCode tooMany)
{
    if (link.ExtraAnswers() > 0) {
        result.status = ConversationResult::kFailed;
        result.failure = show::Failure(tooMany);
    } else if (!heard && result.status == ConversationResult::kCompleted) {
        result.status = ConversationResult::kCancelled;
    }
}

} // namespace hostlink
