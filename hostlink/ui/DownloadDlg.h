#pragma once

#include "hostlink/DownloadEndView.h"
#include "hostlink/ui/HostDialog.h"
#include "show/Warning.h"

#include <optional>
#include <string>

namespace Ui {
class DownloadDlg;
}
namespace prompt {
class Prompt;
}

// The Download dialog: a host code, the Download button and the progress of
// the download. Each press of Download asks, on the window's thread, for its
// show store, checks the host code, passes the store through the gate and
// reads its cues; only then does the download run, on the worker, so that
// the dialog stays responsive and can cancel it. Closing the dialog while a
// download runs cancels the download and closes once it has stopped:
// nothing goes on sending after the dialog.
class CDownloadDlg : public CHostDialog, private hostlink::DownloadEndView
{
    Q_OBJECT

public:
    // Talks to the user through `prompt` (the main window's, or a scripted
    // one in tests), to hosts as `options` say.
    explicit CDownloadDlg(prompt::Prompt& prompt, QWidget* parent = nullptr, Options options = {});
    ~CDownloadDlg() override;

    void OnDownload();

    // A line of the caller's in the status line (the show check's warnings
    // before a download).
    void SetStatusLine(const std::string& text) override;

Q_SIGNALS:
    // After each press of Download: true when every cue was acknowledged.
    void DownloadFinished(bool completed);

private:
    void SetUpDialog();
    // Asks what a download needs and starts it; false when it stopped first.
    bool StartDownload();
    void ShowProgress(int percent) override;
    void SetEndText(const std::string& text) override;
    void ShowDownloadFailure(const show::Failure& failure) override;
    void OnDownloadFinished(const hostlink::DownloadResult& result,
                            const std::optional<show::Warning>& recordWarning);
    // A record of the download that could not be written: said in the
    // status line, after what is there.
    void ShowRecordWarning(const show::Failure& warning);
    void SetDownloading(bool downloading);

    std::unique_ptr<Ui::DownloadDlg> ui;
};
