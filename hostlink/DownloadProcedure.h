#pragma once

#include "hostlink/DownloadView.h"
#include "hostlink/HostLink.h"
#include "hostlink/HostLinkOptions.h"
#include "prompt/Prompt.h"
#include "show/Cue.h"
#include "store/LayoutTable.h"

#include <vector>

namespace hostlink {

// The Download button's procedure: asks for a show store, checks the host
// code, then sends the project name and every cue, in launch-time order, to
// that one host, each acknowledged before the next goes.
//
// Every cue frame is built before anything is sent: a cue that cannot be
// built ends the download before the host has any part of the show.
class DownloadProcedure
{
public:
    DownloadProcedure(prompt::Prompt& prompt, DownloadView& view, HostLinkOptions options = {});

    // Replaces the UDP socket; for tests that need a link to misbehave.
    void SetHostLinkMaker(HostLinkMaker maker) { makeLink_ = std::move(maker); }

    // True when every cue was acknowledged. Shows at most one message.
    bool RunDownload();
    // The conversation itself, for cues already read and a host code already
    // checked: the project name and every cue, in the order given.
    bool SendShow(const std::vector<show::Cue>& cues, int hostCode);

private:
    bool Cancelled();
    // Ends a conversation whose host answered more often than it was asked.
    bool AnsweredTwice();

    prompt::Prompt& prompt_;
    DownloadView& view_;
    HostLinkOptions options_;
    HostLinkMaker makeLink_;
};

// The integer part of 100 * acknowledged / total.
int DownloadPercent(std::size_t acknowledged, std::size_t total);

} // namespace hostlink
