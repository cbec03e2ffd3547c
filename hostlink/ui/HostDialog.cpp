#include "hostlink/ui/HostDialog.h"

#include "hostlink/SocketLayer.h"
#include "hostlink/ui/StoreFileChoice.h"
#include "qtcommon/QtPrompt.h"
#include "qtcommon/QtText.h"
#include "show/HostCode.h"

#include <QLineEdit>
#include <utility>

CHostDialog::CHostDialog(QWidget* parent)
    : QDialog(parent), m_ownPrompt(std::make_unique<qtcommon::QtPrompt>(this)),
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

std::optional<std::string> CHostDialog::ChooseStore()
{
    return m_prompt->ChooseOpenFile(hostlink::StoreFileChoice(m_options.currentStore));
}

bool CHostDialog::StoreMayBeRead(const std::string& path) const
{
    return !m_options.storeGate || m_options.storeGate(path);
}

void CHostDialog::ShowFailure(const show::Failure& failure, messages::Doing doing)
{
    messages::ShowFailureText(*m_prompt, failure, doing);
}

bool CHostDialog::StartSocketLayer()
{
    m_socketLayerStarted = m_options.startSocketLayer && m_options.startSocketLayer();
    return m_socketLayerStarted;
}

void CHostDialog::AfterConversation()
{
    m_busy = false;
    const PendingClose pending = std::exchange(m_pendingClose, PendingClose::kNone);
    if (pending == PendingClose::kButton)
        CloseWithButton();
    else if (pending == PendingClose::kReject)
        reject();
}

void CHostDialog::CloseWithButton()
{
    if (IsWorking()) {
        BeforeClosingWhileWorking();
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
        BeforeClosingWhileWorking();
        if (m_pendingClose == PendingClose::kNone)
            m_pendingClose = PendingClose::kReject;
        return;
    }
    QDialog::reject();
}

void CHostDialog::EndWork()
{
    m_worker.StopAndJoin();
}

std::optional<int> CHostDialog::TypedHostCode(const QLineEdit& edit, const char* empty,
                                              const char* outOfRange)
{
    const show::HostCodeInput code = show::ReadHostCode(qtcommon::ToStdString(edit.text()));
    if (code.status == show::HostCodeInput::kValid)
        return code.code;
    UserPrompt().ShowMessage(code.status == show::HostCodeInput::kEmpty ? empty : outOfRange,
                             prompt::MessageIcon::Warning);
    return std::nullopt;
}
