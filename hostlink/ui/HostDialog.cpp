#include "hostlink/ui/HostDialog.h"

#include "hostlink/SocketLayer.h"
#include "qtcommon/QtPrompt.h"

#include <utility>

CHostDialog::CHostDialog(QWidget* parent)
    : QDialog(parent), m_ownPrompt(std::make_unique<editor::QtPrompt>(this)),
      m_prompt(m_ownPrompt.get())
{
}

CHostDialog::CHostDialog(prompt::Prompt& prompt, QWidget* parent,
                         hostlink::HostDialogOptions options)
    : QDialog(parent), m_prompt(&prompt), m_options(std::move(options))
{
}

CHostDialog::~CHostDialog()
{
    EndWork();
    if (m_socketLayerStarted)
        hostlink::ReleaseSocketLayer();
}

bool CHostDialog::StartSocketLayer()
{
    m_socketLayerStarted = m_options.startSocketLayer && m_options.startSocketLayer();
    return m_socketLayerStarted;
}

void CHostDialog::StartWork(std::function<void()> work, std::function<void()> finished)
{
    m_worker.Start(std::move(work),
                   [this, finished = std::move(finished)] { AfterWork(finished); });
}

void CHostDialog::AfterWork(const std::function<void()>& finished)
{
    const PendingClose pending = std::exchange(m_pendingClose, PendingClose::kNone);
    finished();
    if (pending == PendingClose::kButton)
        CloseWithButton();
    else if (pending == PendingClose::kReject)
        reject();
}

void CHostDialog::CloseWithButton()
{
    if (IsWorking()) {
        RequestStop();
        m_pendingClose = PendingClose::kButton;
        return;
    }
    if (m_socketLayerStarted) {
        hostlink::ReleaseSocketLayer();
        m_socketLayerStarted = false;
    }
    accept();
}

void CHostDialog::reject()
{
    if (IsWorking()) {
        RequestStop();
        if (m_pendingClose == PendingClose::kNone)
            m_pendingClose = PendingClose::kReject;
        return;
    }
    QDialog::reject();
}

void CHostDialog::EndWork()
{
    RequestStop();
    m_worker.AbandonAndJoin();
}
