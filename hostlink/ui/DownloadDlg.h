#pragma once

#include "HostDialogOptions.h"
#include "WindowWorker.h"

#include <QDialog>
#include <memory>
#include <stop_token>

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
class CDownloadDlg : public QDialog
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

    bool IsDownloading() const { return m_worker.IsRunning(); }

    void OnDownload();
    void OnCancel();
    void OnClose();

Q_SIGNALS:
    // After a download, its result: true when every cue was acknowledged.
    void DownloadFinished(bool completed);

protected:
    void reject() override; // Esc and the title bar's close box

private:
    enum class PendingClose
    {
        kNone,
        kClose,
        kReject
    };

    void SetUpDialog();
    void OnDownloadFinished();
    void SetDownloading(bool downloading);

    std::unique_ptr<Ui::DownloadDlg> ui;
    std::unique_ptr<prompt::Prompt> m_ownPrompt;
    prompt::Prompt* m_prompt = nullptr;
    hostlink::HostDialogOptions m_options;
    bool m_socketLayerStarted = false;

    std::stop_source m_cancel; // a new one for every download
    hostlink::WindowWorker m_worker{*this};
    bool m_lastResult = false; // written by the worker, read once it has ended
    PendingClose m_pendingClose = PendingClose::kNone;
};
