#pragma once

#include "editor/AssignHost.h"

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class AssignHostDlg;
}
namespace prompt {
class Prompt;
}

// The Assign Host dialog: one host name, typed afresh each time. OK refuses an
// empty name and stays open; Cancel, Escape and the close box cancel.
class CAssignHostDlg : public QDialog
{
    Q_OBJECT

public:
    // Tells of an empty name through `prompt`.
    explicit CAssignHostDlg(prompt::Prompt& prompt, QWidget* parent = nullptr);
    ~CAssignHostDlg() override;

    // The name as typed (not trimmed), after OK.
    const std::string& HostName() const { return m_strHostName; }

private:
    void OnOK();

    std::unique_ptr<Ui::AssignHostDlg> ui;
    prompt::Prompt& m_prompt;
    std::string m_strHostName;
};

namespace editor {

// Asks for the host name with the Assign Host dialog, run modally over `owner`.
class AssignHostDialogAsker final : public HostNameAsker
{
public:
    AssignHostDialogAsker(prompt::Prompt& prompt, QWidget* owner) : prompt_(prompt), owner_(owner)
    {
    }
    std::optional<std::string> AskHostName() override;

private:
    prompt::Prompt& prompt_;
    QWidget* owner_;
};

} // namespace editor
