#pragma once

#include "hostlink/DownloadView.h"

#include <cstdio>
#include <stop_token>
#include <string>

namespace cli {

// The Download dialog's texts on standard error: a progress bar redrawn in
// place when it is a terminal, otherwise one line per new progress text, so
// that a log shows each step once.
class TerminalDownloadView : public hostlink::DownloadView
{
public:
    TerminalDownloadView(std::string hostCode, bool terminal, std::FILE* out = stderr);

    std::string HostCodeText() override { return hostCode_; }
    // Ctrl-C, through an InterruptRequest's token.
    void SetCancelToken(std::stop_token cancel) { cancel_ = std::move(cancel); }
    std::stop_token CancelToken() override { return cancel_; }
    void SetProgressPercent(int percent) override { percent_ = percent; }
    void SetProgressText(const std::string& text) override;
    void SetEndText(const std::string& text) override { Line(text); }
    void SetStatusLine(const std::string& text) override { Line(text); }

    // Ends the bar's line, so that what follows starts on a line of its own.
    void EndBarLine();

private:
    void Line(const std::string& text);

    std::string hostCode_;
    bool terminal_;
    std::FILE* out_;
    int percent_ = 0;
    bool barShown_ = false;
    std::string lastText_;
    std::stop_token cancel_;
};

} // namespace cli
