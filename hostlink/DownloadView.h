#pragma once

#include <stop_token>
#include <string>

namespace hostlink {

// What a download reads from and writes to its dialog. A download may run on
// a worker thread and call these from there: a window implementation hands
// the writes over to its own thread.
class DownloadView
{
public:
    virtual ~DownloadView() = default;

    virtual std::string HostCodeText() = 0;
    // The dialog's cancel flag; read before each cue and while waiting.
    virtual std::stop_token CancelToken() = 0;
    virtual void SetProgressPercent(int percent) = 0;
    virtual void SetProgressText(const std::string& text) = 0;
    virtual void SetEndText(const std::string& text) = 0;
    virtual void SetStatusLine(const std::string& text) = 0;
};

} // namespace hostlink
