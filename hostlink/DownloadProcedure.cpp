#include "hostlink/DownloadProcedure.h"

#include "hostlink/Frames.h"
#include "hostlink/LoadDownloadCues.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/HostCode.h"

#include <vector>

namespace hostlink {

namespace {

using prompt::MessageIcon;

constexpr int kComplete = 100;

// Builds every frame of the show; false (the builder's message shown) at the
// first cue that cannot be built exactly.
bool BuildCueFrames(const std::vector<show::Cue>& cues, std::vector<CueFrame>& frames,
                    prompt::Prompt& prompt)
{
    frames.resize(cues.size());
    for (std::size_t i = 0; i < cues.size(); ++i) {
        const BuildOutcome built = BuildCueFrame(cues[i], PositionOf(i, cues.size()), frames[i]);
        if (!built) {
            prompt.ShowMessage(built.message, MessageIcon::Stop);
            return false;
        }
    }
    return true;
}

} // namespace

int DownloadPercent(std::size_t acknowledged, std::size_t total)
{
    if (total == 0)
        return kComplete;
    return static_cast<int>(acknowledged * kComplete / total);
}

DownloadProcedure::DownloadProcedure(prompt::Prompt& prompt, DownloadView& view,
                                     HostLinkOptions options)
    : prompt_(prompt), view_(view), options_(std::move(options)), makeLink_(MakeHostLinkSocket)
{
}

bool DownloadProcedure::RunDownload()
{
    std::vector<show::Cue> cues;
    if (!LoadDownloadCues(prompt_, cues))
        return false;

    const show::HostCodeInput hostCode = show::ReadHostCode(view_.HostCodeText());
    if (hostCode.status == show::HostCodeInput::kEmpty) {
        prompt_.ShowMessage(strings::kPleaseInputHostCode, MessageIcon::Warning);
        return false;
    }
    if (hostCode.status == show::HostCodeInput::kOutOfRange) {
        prompt_.ShowMessage(strings::kHostCodeOutOfRange, MessageIcon::Warning);
        return false;
    }
    return SendShow(cues, hostCode.code);
}

bool DownloadProcedure::SendShow(const std::vector<show::Cue>& cues, int hostCode)
{
    const std::unique_ptr<HostLink> link = makeLink_(options_); // closes on every way out
    if (link->Open(hostCode) != HostLink::OpenStatus::kOpened) {
        prompt_.ShowMessage(strings::kSetSocketTimeoutFailed, MessageIcon::Stop);
        return false;
    }
    const std::size_t total = cues.size();
    link->ClearReply();

    std::vector<CueFrame> frames;
    if (!BuildCueFrames(cues, frames, prompt_))
        return false;
    ProjectNameFrame projectName;
    if (const BuildOutcome built = BuildProjectNameFrame(kProjectName, projectName); !built) {
        prompt_.ShowMessage(built.message, MessageIcon::Stop);
        return false;
    }
    const std::stop_token cancel = view_.CancelToken();
    // A host that never got the project name is not ready for the show.
    const bool projectNameSent = link->Send(projectName.bytes);
    const HostLink::Reply projectReply =
        projectNameSent ? link->AwaitAcknowledgement(cancel) : HostLink::Reply::kNoReply;
    if (projectReply == HostLink::Reply::kCancelled)
        return Cancelled();
    if (projectReply != HostLink::Reply::kAccepted) {
        prompt_.ShowMessage(strings::kSetProjectNameFailed, MessageIcon::Warning);
        return false;
    }

    std::size_t acknowledged = 0;
    for (const CueFrame& frame : frames) {
        if (cancel.stop_requested())
            return Cancelled();
        if (!link->Send(frame.bytes)) {
            prompt_.ShowMessage(strings::kCueSendFailed, MessageIcon::Warning);
            return false;
        }
        if (link->AnsweredUnasked(std::chrono::milliseconds(0))) // found at the send
            return AnsweredTwice();
        switch (link->AwaitAcknowledgement(cancel)) {
        case HostLink::Reply::kNoReply:
            prompt_.ShowMessage(strings::kHostEchoTimeout, MessageIcon::Warning);
            return false;
        case HostLink::Reply::kRefused:
            prompt_.ShowMessage(strings::kCueRefused, MessageIcon::Warning);
            return false;
        case HostLink::Reply::kCancelled:
            return Cancelled();
        case HostLink::Reply::kAccepted:
            break;
        }
        ++acknowledged;
        const int percent = DownloadPercent(acknowledged, total);
        view_.SetProgressPercent(percent);
        view_.SetProgressText(strings::FormatText(strings::kDownloadedPercent, percent));
    }
    // The last answer is only trusted once the host has stayed quiet a while.
    if (link->AnsweredUnasked(options_.answerGrace))
        return AnsweredTwice();

    view_.SetProgressText(strings::FormatText(strings::kDownloadedPercent, kComplete));
    view_.SetProgressPercent(kComplete);
    view_.SetEndText(strings::kDownloadEnd);
    view_.SetStatusLine(
        strings::FormatText(strings::kDownloadTotal, static_cast<int>(acknowledged)));
    link->Close();
    return true;
}

bool DownloadProcedure::Cancelled()
{
    view_.SetStatusLine(strings::kCancelDownload);
    return false;
}

bool DownloadProcedure::AnsweredTwice()
{
    prompt_.ShowMessage(strings::kHostAnsweredTwice, MessageIcon::Warning);
    return false;
}

} // namespace hostlink
