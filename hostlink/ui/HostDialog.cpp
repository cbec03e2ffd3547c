#include "hostlink/ui/HostDialog.h"

#include "hostlink/SocketLayer.h"
#include "hostlink/ui/StoreFileChoice.h"
#include "qtcommon/QtPrompt.h"
#include "qtcommon/QtText.h"
#include "show/HostCode.h"

#include <QLineEdit>
#include <utility>

CHostDialog::CHostDialog(QWidget* parent)
    : QDialog(parent), ownPrompt_(std::make_unique<qtcommon::QtPrompt>(this)),
      prompt_(ownPrompt_.get())
{
}

CHostDialog::CHostDialog(prompt::Prompt& prompt, QWidget* parent,
                         hostlink::HostDialogOptions options)
    : QDialog(parent), prompt_(&prompt), options_(std::move(options))
{
}

CHostDialog::~CHostDialog()
{
    EndWork();
    if (socketLayerStarted_)
        hostlink::ReleaseSocketLayer();
}

std::optional<std::string> CHostDialog::ChooseStore()
{
    return prompt_->ChooseOpenFile(hostlink::StoreFileChoice(options_.currentStore));
}

bool CHostDialog::StoreMayBeRead(const std::string& path) const
{
    return !options_.storeGate || options_.storeGate(path);
}

void CHostDialog::ShowFailure(const show::Failure& failure, messages::Doing doing)
{
    messages::ShowFailureText(*prompt_, failure, doing);
}

bool CHostDialog::StartSocketLayer()
{
    socketLayerStarted_ = options_.startSocketLayer && options_.startSocketLayer();
    return socketLayerStarted_;
}

void CHostDialog::AfterConversation()
{
    busy_ = false;
    const PendingClose pending = std::exchange(pendingClose_, PendingClose::kNone);
    if (pending == PendingClose::kButton)
        CloseWithButton();
    else if (pending == PendingClose::kReject)
        reject();
}

void CHostDialog::CloseWithButton()
{
    if (IsWorking()) {
        BeforeClosingWhileWorking();
        pendingClose_ = PendingClose::kButton;
        return;
    }
    if (socketLayerStarted_) {
        hostlink::ReleaseSocketLayer();
        socketLayerStarted_ = false;
    }
    accept();
}

void CHostDialog::reject()
{
    if (IsWorking()) {
        BeforeClosingWhileWorking();
        if (pendingClose_ == PendingClose::kNone)
            pendingClose_ = PendingClose::kReject;
        return;
    }
    QDialog::reject();
}

void CHostDialog::EndWork()
{
    worker_.StopAndJoin();
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
