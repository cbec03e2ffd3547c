#pragma once

#include "hostlink/DownloadEndView.h"

#include <cstdio>
#include <string>

namespace cli {

// The Download dialog's texts on standard error: a progress bar redrawn in
// place when it is a terminal, otherwise one line per new progress text, so
// that a log shows each step once.
class TerminalDownloadView : public hostlink::DownloadEndView
{
public:
    explicit TerminalDownloadView(bool terminal, std::FILE* out = stderr);

    // After each acknowledged cue, from the download's thread.
    void ShowProgress(int percent) override;
    // What the dialog shows once the download has ended: the end texts, the
    // cancel line, or the failure's message (on standard error).
    void ShowEnd(const hostlink::DownloadResult& result);

    void SetProgressPercent(int percent) { percent_ = percent; }
    void SetProgressText(const std::string& text);
    void SetEndText(const std::string& text) override { Line(text); }
    void SetStatusLine(const std::string& text) override { Line(text); }
    // On standard error, after the bar's line.
    void ShowDownloadFailure(const show::Failure& failure) override;
    // Ends the bar's line, so that what follows starts on a line of its own.
    void EndBarLine();

private:
    void Line(const std::string& text);

    bool terminal_;
    std::FILE* out_;
    int percent_ = 0;
    bool barShown_ = false;
    std::string lastText_;
};

} // namespace cli
