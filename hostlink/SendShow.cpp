#include "hostlink/SendShow.h"

#include "hostlink/FrameDigest.h"
#include "hostlink/Frames.h"
#include "hostlink/LateAnswers.h"
#include "show/Cue.h"

#include <vector>

namespace hostlink {

namespace {

using show::FailureCode;

constexpr int kComplete = 100;

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

namespace {

// The frames of the download on an open link; `lateAnswersOwed` is set when
// the host's late answers are still to be heard.
DownloadResult SendFramesOn(HostLink& link, const DownloadRequest& request, bool& lateAnswersOwed)
{
    const HostConversation& host = request.host;
    DownloadResult result;
    result.frames = request.cues.size() + 1;
    FrameDigest digest; // of the frames acknowledged so far
    const auto acknowledged = [&](std::span<const std::uint8_t> frame) {
        digest.Add(frame);
        ++result.framesAcknowledged;
    };
    const auto end = [&](ConversationResult::Status status,
                         std::optional<show::Failure> failure = std::nullopt) {
        result.status = status;
        result.failure = std::move(failure);
        result.digest = digest.Hex();
        return result;
    };
    const auto failed = [&](FailureCode code) {
        return end(ConversationResult::kFailed, show::Failure(code));
    };

    if (link.Open(host.hostCode) != HostLink::OpenStatus::kOpened)
        return failed(FailureCode::kDownloadSocketNotSet);
    const std::size_t total = request.cues.size();
    link.ClearReply();

    std::vector<CueFrame> frames;
    if (const std::optional<int> unbuilt = BuildCueFrames(request.cues, frames))
        return end(ConversationResult::kFailed,
                   show::Failure(FailureCode::kDownloadCueNotBuilt).WithRow(*unbuilt));
    ProjectNameFrame projectName;
    if (!BuildProjectNameFrame(kProjectName, projectName))
        return failed(FailureCode::kDownloadProjectNameNotBuilt);
    // A host that never got the project name is not ready for the show.
    const HostLink::Reply projectReply = link.Send(projectName.bytes)
                                             ? link.AwaitAcknowledgement(host.stop)
                                             : HostLink::Reply::kNoReply;
    if (projectReply == HostLink::Reply::kCancelled)
        return end(ConversationResult::kCancelled);
    if (projectReply != HostLink::Reply::kAccepted)
        return failed(FailureCode::kDownloadProjectNameFailed);
    acknowledged(projectName.bytes);

    for (const CueFrame& frame : frames) {
        if (host.stop.stop_requested())
            return end(ConversationResult::kCancelled);
        if (!link.Send(frame.bytes))
            return failed(FailureCode::kDownloadCueNotSent);
        if (link.ExtraAnswers() > 0) // found waiting as the frame went
            return failed(FailureCode::kDownloadAnsweredTwice);
        switch (link.AwaitAcknowledgement(host.stop)) {
        case HostLink::Reply::kNoReply:
            return failed(FailureCode::kDownloadCueNotAnswered);
        case HostLink::Reply::kRefused: // at the frame after those acknowledged
            // An earlier frame's second answer may still show this refusal
            // to be another frame's.
            lateAnswersOwed = true;
            return end(ConversationResult::kFailed,
                       show::Failure(FailureCode::kDownloadCueRefused)
                           .WithRow(static_cast<int>(result.framesAcknowledged) + 1));
        case HostLink::Reply::kCancelled:
            return end(ConversationResult::kCancelled);
        case HostLink::Reply::kAccepted:
            break;
        }
        acknowledged(frame.bytes);
        ++result.acknowledged;
        if (request.progress)
            request.progress(DownloadPercent(result.acknowledged, total));
    }
    lateAnswersOwed = true;
    return end(ConversationResult::kCompleted);
}

} // namespace

SentFrames<DownloadResult> SendShowFrames(const DownloadRequest& request)
{
    SentFrames<DownloadResult> sent{.result = {}, .link = request.host.makeLink(request.host.link)};
    bool lateAnswersOwed = false;
    sent.result = SendFramesOn(*sent.link, request, lateAnswersOwed);
    if (!lateAnswersOwed)
        sent.link.reset(); // closes it
    return sent;
}

DownloadResult SendShow(const DownloadRequest& request)
{
    return Concluded(SendShowFrames(request), request.host.stop,
                     FailureCode::kDownloadAnsweredTwice);
}

} // namespace hostlink
