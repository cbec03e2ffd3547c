#pragma once

#include "hostlink/DownloadView.h"

#include <stop_token>

class QLabel;
class QLineEdit;
class QProgressBar;

namespace hostlink {

class WindowWorker;

// The Download dialog as a download running on its worker sees it: the
// host-code text is read on the window's thread, the progress goes there
// in order behind any earlier message, and the cancel flag is read as is.
class DownloadDlgView final : public DownloadView
{
public:
    struct Widgets
    {
        QLineEdit* hostCode = nullptr;
        QProgressBar* progress = nullptr;
        QLabel* progressText = nullptr;
        QLabel* endText = nullptr;
        QLabel* statusLine = nullptr;
    };

    DownloadDlgView(WindowWorker& worker, Widgets widgets, std::stop_token cancel)
        : worker_(worker), widgets_(widgets), cancel_(std::move(cancel))
    {
    }

    std::string HostCodeText() override;
    std::stop_token CancelToken() override { return cancel_; }
    void SetProgressPercent(int percent) override;
    void SetProgressText(const std::string& text) override;
    void SetEndText(const std::string& text) override;
    void SetStatusLine(const std::string& text) override;

private:
    void SetText(QLabel* label, const std::string& text);

    WindowWorker& worker_;
    Widgets widgets_;
    std::stop_token cancel_;
};

} // namespace hostlink
