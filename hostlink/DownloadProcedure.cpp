#include "hostlink/DownloadProcedure.h"

#include "hostlink/Frames.h"
#include "show/Cue.h"

#include <vector>

namespace hostlink {

namespace {

using show::FailureCode;

constexpr int kComplete = 100;

DownloadResult Ended(ConversationResult::Status status, std::size_t acknowledged,
                     std::optional<show::Failure> failure = std::nullopt)
{
    DownloadResult result;
    result.status = status;
    result.failure = std::move(failure);
    result.acknowledged = acknowledged;
    return result;
}

DownloadResult FailedWith(FailureCode code, std::size_t acknowledged = 0)
{
    return Ended(ConversationResult::kFailed, acknowledged, show::Failure(code));
}

// Every frame of the show, or the place (from 1) of the first cue that
// cannot be built exactly.
std::optional<int> BuildCueFrames(std::span<const show::Cue> cues, std::vector<CueFrame>& frames)
{
    frames.resize(cues.size());
    for (std::size_t i = 0; i < cues.size(); ++i)
        if (!BuildCueFrame(cues[i], PositionOf(i, cues.size()), frames[i]))
            return static_cast<int>(i) + 1;
    return std::nullopt;
}

} // namespace

int DownloadPercent(std::size_t acknowledged, std::size_t total)
{
    if (total == 0)
        return kComplete;
    return static_cast<int>(acknowledged * kComplete / total);
}

DownloadResult SendShow(const DownloadRequest& request)
{
    const HostConversation& host = request.host;
    const std::unique_ptr<HostLink> link = host.makeLink(host.link); // closes on every way out
    if (link->Open(host.hostCode) != HostLink::OpenStatus::kOpened)
        return FailedWith(FailureCode::kDownloadSocketNotSet);
    const std::size_t total = request.cues.size();
    link->ClearReply();

    std::vector<CueFrame> frames;
    if (const std::optional<int> unbuilt = BuildCueFrames(request.cues, frames))
        return Ended(ConversationResult::kFailed, 0,
                     show::Failure(FailureCode::kDownloadCueNotBuilt).WithRow(*unbuilt));
    ProjectNameFrame projectName;
    if (!BuildProjectNameFrame(kProjectName, projectName))
        return FailedWith(FailureCode::kDownloadProjectNameNotBuilt);
    // A host that never got the project name is not ready for the show.
    const HostLink::Reply projectReply = link->Send(projectName.bytes)
                                             ? link->AwaitAcknowledgement(host.stop)
                                             : HostLink::Reply::kNoReply;
    if (projectReply == HostLink::Reply::kCancelled)
        return Ended(ConversationResult::kCancelled, 0);
    if (projectReply != HostLink::Reply::kAccepted)
        return FailedWith(FailureCode::kDownloadProjectNameFailed);

    std::size_t acknowledged = 0;
    for (const CueFrame& frame : frames) {
        if (host.stop.stop_requested())
            return Ended(ConversationResult::kCancelled, acknowledged);
        if (!link->Send(frame.bytes))
            return FailedWith(FailureCode::kDownloadCueNotSent, acknowledged);
        if (link->AnsweredUnasked(std::chrono::milliseconds(0))) // found at the send
            return FailedWith(FailureCode::kDownloadAnsweredTwice, acknowledged);
        switch (link->AwaitAcknowledgement(host.stop)) {
        case HostLink::Reply::kNoReply:
            return FailedWith(FailureCode::kDownloadCueNotAnswered, acknowledged);
        case HostLink::Reply::kRefused:
            return FailedWith(FailureCode::kDownloadCueRefused, acknowledged);
        case HostLink::Reply::kCancelled:
            return Ended(ConversationResult::kCancelled, acknowledged);
        case HostLink::Reply::kAccepted:
            break;
        }
        ++acknowledged;
        if (request.progress)
            request.progress(DownloadPercent(acknowledged, total));
    }
    // The last answer is only trusted once the host has stayed quiet a while.
    if (link->AnsweredUnasked(host.link.answerGrace))
        return FailedWith(FailureCode::kDownloadAnsweredTwice, acknowledged);
    link->Close();
    return Ended(ConversationResult::kCompleted, acknowledged);
}

} // namespace hostlink
