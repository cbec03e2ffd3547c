#include "hostlink/ui/HostDialog.h"

#include "hostlink/ui/StoreFileChoice.h"
#include "prompt/Prompt.h"
#include "qtcommon/DialogUnits.h"
#include "qtcommon/QtText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/RehearsalStrings.h"
#include "show/HostCode.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <utility>

CHostDialog::CHostDialog(prompt::Prompt& prompt, QWidget* parent,
                         hostlink::HostDialogOptions options, ClosingWhileWorking closing)
    : QDialog(parent), prompt_(prompt), options_(std::move(options)), closing_(closing)
{
    if (!options_.links) // every host at its field address
        options_.links = hostlink::HostDialogOptions{}.links;
}

CHostDialog::~CHostDialog()
{
    EndWork();
    ReleaseSocketLayer();
}

void CHostDialog::FitDrawnSize(const QSize& dialogUnits)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(qtcommon::DialogUnitsToPixels(font(), dialogUnits).expandedTo(minimumSizeHint()));
}

std::optional<std::string> CHostDialog::ChooseStore()
{
    return prompt_.ChooseOpenFile(hostlink::StoreFileChoice(options_.currentStore));
}

bool CHostDialog::StoreMayBeRead(const std::string& path) const
{
    return !options_.storeGate || options_.storeGate(path);
}

void CHostDialog::ShowFailure(const show::Failure& failure, messages::Doing doing)
{
    messages::ShowFailureText(prompt_, failure, doing);
}

std::optional<int> CHostDialog::TypedHostCode(const QLineEdit& edit, const char* empty,
                                              const char* outOfRange)
{
    const show::HostCodeInput code = show::ReadHostCode(qtcommon::ToStdString(edit.text()));
    if (code.status == show::HostCodeInput::kValid)
        return code.code;
    prompt_.ShowMessage(code.status == show::HostCodeInput::kEmpty ? empty : outOfRange,
                        prompt::MessageIcon::Warning);
    return std::nullopt;
}

void CHostDialog::OfferFirstHostCode(QLineEdit& edit)
{
    edit.setText(QStringLiteral("1"));
}

void CHostDialog::ShowRehearsalNote(QLineEdit* hostCode)
{
    auto* box = qobject_cast<QBoxLayout*>(layout());
    if (!options_.rehearsal || !box)
        return;
    auto* note = new QLabel(this);
    note->setObjectName(QStringLiteral("labelRehearsal"));
    note->setWordWrap(true);
    QFont bold = note->font();
    bold.setBold(true);
    note->setFont(bold);
    box->insertWidget(0, note);
    const auto say = [this, note, hostCode] {
        const show::HostCodeInput code =
            hostCode ? show::ReadHostCode(qtcommon::ToStdString(hostCode->text()))
                     : show::HostCodeInput{};
        note->setText(qtcommon::ToQString(
            hostCode && code.status == show::HostCodeInput::kValid
                ? strings::FormatText(
                      strings::kRehearsalHostAt, code.code,
                      hostlink::DestinationText(options_.LinkFor(code.code), code.code).c_str())
                : std::string(strings::kRehearsalHostsAt)));
    };
    say();
    if (hostCode)
        connect(hostCode, &QLineEdit::textChanged, note, say);
}

bool CHostDialog::StartSocketLayer(const char* failure)
{
    if (!socketLayerStarted_)
        socketLayerStarted_ = options_.startSocketLayer && options_.startSocketLayer();
    if (!socketLayerStarted_)
        prompt_.ShowMessage(failure, prompt::MessageIcon::Warning);
    return socketLayerStarted_;
}

void CHostDialog::ReleaseSocketLayer()
{
    if (!std::exchange(socketLayerStarted_, false))
        return;
    if (options_.releaseSocketLayer)
        options_.releaseSocketLayer();
}

void CHostDialog::AfterConversation()
{
    busy_ = false;
    const PendingClose pending = std::exchange(pendingClose_, PendingClose::kNone);
    if (pending != PendingClose::kNone)
        Close(pending);
}

void CHostDialog::Close(PendingClose how)
{
    if (how == PendingClose::kButton) {
        ReleaseSocketLayer();
        accept();
    } else {
        QDialog::reject();
    }
}

void CHostDialog::CloseWhenEnded(PendingClose how)
{
    if (pendingClose_ == PendingClose::kNone) {
        // Asked once: a second close while it stops asks nothing.
        if (closing_.question && !prompt_.AskYesNo(closing_.question))
            return;         // it goes on
        if (!IsWorking()) { // it ended while the question was up
            Close(how);
            return;
        }
    }
    if (closing_.stops)
        worker_.RequestStop();
    // The button's way (its release) wins over Esc's.
    if (pendingClose_ == PendingClose::kNone || how == PendingClose::kButton)
        pendingClose_ = how;
}

void CHostDialog::CloseWithButton()
{
    if (IsWorking())
        CloseWhenEnded(PendingClose::kButton);
    else
        Close(PendingClose::kButton);
}

void CHostDialog::reject()
{
    if (IsWorking())
        CloseWhenEnded(PendingClose::kReject);
    else
        Close(PendingClose::kReject);
}

void CHostDialog::EndWork()
{
    worker_.StopAndJoin();
}
