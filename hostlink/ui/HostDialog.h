#pragma once

#include "hostlink/ui/HostDialogOptions.h"
#include "hostlink/ui/WindowWorker.h"

#include <QDialog>
#include <functional>
#include <memory>

namespace prompt {
class Prompt;
}

// What the host dialogs have in common: the prompt they talk through (message
// boxes of their own, or the one given), the socket layer they start and
// release, the worker thread their exchange with a host runs on, and closing,
// which waits for that exchange to end: nothing goes on talking to a host
// after its dialog.
class CHostDialog : public QDialog
{
    Q_OBJECT

public:
    ~CHostDialog() override;

    bool IsWorking() const { return m_worker.IsRunning(); }

protected:
    explicit CHostDialog(QWidget* parent);
    CHostDialog(prompt::Prompt& prompt, QWidget* parent, hostlink::HostDialogOptions options);

    prompt::Prompt& UserPrompt() { return *m_prompt; }
    const hostlink::HostDialogOptions& Options() const { return m_options; }
    hostlink::WindowWorker& Worker() { return m_worker; }

    // Starts the socket layer as the options say; true when it started.
    bool StartSocketLayer();
    // Runs `work` on the worker, then `finished` on the window's thread, then
    // a close asked for meanwhile. Nothing while work is running.
    void StartWork(std::function<void()> work, std::function<void()> finished);
    // The dialog's own close button: releases the socket layer and closes
    // with OK; while work runs, stops it and closes once it has ended.
    void CloseWithButton();
    // Esc and the title bar's close box: as the button, without the release.
    void reject() override;
    // From the derived destructor, before its widgets go: the work must not
    // outlive what it writes to.
    void EndWork();

private:
    enum class PendingClose
    {
        kNone,
        kButton,
        kReject
    };

    // Asks running work to stop as soon as it can; by default it runs out.
    virtual void RequestStop() {}
    void AfterWork(const std::function<void()>& finished);

    std::unique_ptr<prompt::Prompt> m_ownPrompt;
    prompt::Prompt* m_prompt = nullptr;
    hostlink::HostDialogOptions m_options;
    bool m_socketLayerStarted = false;
    hostlink::WindowWorker m_worker{*this};
    PendingClose m_pendingClose = PendingClose::kNone;
};
