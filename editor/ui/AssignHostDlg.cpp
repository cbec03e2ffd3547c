#include "editor/ui/AssignHostDlg.h"

#include "prompt/Prompt.h"
#include "qtcommon/QtText.h"
#include "resources/strings/Strings.h"
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
    m_strHostName = editor::ToStdString(ui->editHostName->text());
    const char* refusal = editor::AssignHostNameRefusal(m_strHostName);
    if (refusal == nullptr) {
        accept();
        return;
    }
    m_prompt.ShowMessage(refusal, prompt::MessageIcon::Warning);
    ui->editHostName->setFocus();
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
