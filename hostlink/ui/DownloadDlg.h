#pragma once

#include "hostlink/ui/HostDialog.h"

#include <memory>
#include <stop_token>
#include <string>

namespace Ui {
class DownloadDlg;
}
namespace prompt {
class Prompt;
}

// The Download dialog: a host code, the Download button and the progress of
// the download, which runs on a worker thread so that the dialog stays
// responsive and can cancel it. Each press of Download asks for its own show
// store. Closing the dialog while a download runs cancels the download and
// closes once it has stopped: nothing goes on sending after the dialog.
class CDownloadDlg : public CHostDialog
{
    Q_OBJECT

public:
    // Talks to the user through message boxes and file dialogs of its own.
    explicit CDownloadDlg(QWidget* parent = nullptr);
    // Talks to the user through `prompt` (the main window's, or a scripted
    // one in tests), to hosts as `options` say.
    explicit CDownloadDlg(prompt::Prompt& prompt, QWidget* parent = nullptr,
                          hostlink::HostDialogOptions options = {});
    ~CDownloadDlg() override;

    bool IsDownloading() const { return IsWorking(); }

    void OnDownload();
    void OnCancel();
    void OnClose();

    // A line of the caller's in the status line (the show check's warnings
    // before a download).
    void SetStatusLine(const std::string& text);

Q_SIGNALS:
    // After a download, its result: true when every cue was acknowledged.
    void DownloadFinished(bool completed);

private:
    void SetUpDialog();
    void RequestStop() override { m_cancel.request_stop(); }
    void OnDownloadFinished();
    void SetDownloading(bool downloading);

    std::unique_ptr<Ui::DownloadDlg> ui;
    std::stop_source m_cancel; // a new one for every download
    bool m_lastResult = false; // written by the worker, read once it has ended
};
