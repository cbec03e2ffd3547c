#include "editor/ui/AssignHostDlg.h"

#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
#include "qtcommon/QtText.h"
#include "resources/strings/Strings.h"
#include "show/HostNameRules.h"
#include "ui_AssignHostDlg.h"

#include <QLayout>

CAssignHostDlg::CAssignHostDlg(prompt::Prompt& prompt, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::AssignHostDlg>()), m_prompt(prompt)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(ui->buttonOk, &QPushButton::clicked, this, &CAssignHostDlg::OnOK);
}

CAssignHostDlg::~CAssignHostDlg() = default;

void CAssignHostDlg::OnOK()
{
    m_strHostName = qtcommon::ToStdString(ui->editHostName->text());
    // The name's rules as it is typed, in Save's words; blanks only pass
    // here and are refused by Save.
    try {
        show::CheckHostName(m_strHostName);
    } catch (const show::Failure& refusal) {
        messages::ShowFailure(m_prompt, refusal, messages::Doing::kAssigning);
        ui->editHostName->setFocus();
        return;
    }
    accept();
}

namespace editor {

std::optional<std::string> AssignHostDialogAsker::AskHostName()
{
    CAssignHostDlg dialog(prompt_, owner_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.HostName();
}

} // namespace editor
