#include "qtcommon/QtPrompt.h"

#include "messages/ErrorRecord.h"
#include "qtcommon/FileDialogFilters.h"
#include "qtcommon/QtText.h"
#include "resources/strings/Strings.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace qtcommon {

namespace {

QMessageBox::Icon BoxIcon(prompt::MessageIcon icon)
{
    switch (icon) {
    case prompt::MessageIcon::Stop:
        return QMessageBox::Critical;
    case prompt::MessageIcon::Warning:
        return QMessageBox::Warning;
    case prompt::MessageIcon::Information:
        return QMessageBox::Information;
    case prompt::MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

std::optional<std::string> RunFileDialog(QWidget* owner, const prompt::FileChoice& choice,
                                         QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    const QStringList filters = FileDialogFilters(choice);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.front());
    if (!choice.initialPath.empty())
        dialog.selectFile(ToQString(choice.initialPath));
    if (!choice.defaultSuffix.empty())
        dialog.setDefaultSuffix(ToQString(choice.defaultSuffix));
    if (!choice.confirmReplace)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    // Qt's own separators are "/"; a Windows user reads and types "\\".
    return ToStdString(QDir::toNativeSeparators(dialog.selectedFiles().front()));
}

} // namespace

void QtPrompt::ShowMessage(const std::string& text, prompt::MessageIcon icon)
{
    ShowMessage(text, icon, {});
}

// The short message first; the access layer's whole error record, when the
// message comes with one, under "Show Details...".
void QtPrompt::ShowMessage(const std::string& text, prompt::MessageIcon icon,
                           const std::string& details)
{
    const messages::SplitMessage shown = messages::ForReader(text, details);
    QMessageBox box(BoxIcon(icon), ToQString(strings::kAppName), ToQString(shown.text),
                    QMessageBox::Ok, owner_);
    if (!shown.record.empty())
        box.setDetailedText(ToQString(shown.record));
    box.exec();
}

bool QtPrompt::AskYesNo(const std::string& text)
{
    QMessageBox box(QMessageBox::Question, ToQString(strings::kAppName), ToQString(text),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

prompt::Answer QtPrompt::AskYesNoCancel(const std::string& text, prompt::AnswerButtons buttons)
{
    const bool save = buttons == prompt::AnswerButtons::SaveDiscardCancel;
    const QMessageBox::StandardButton yes = save ? QMessageBox::Save : QMessageBox::Yes;
    const QMessageBox::StandardButton no = save ? QMessageBox::Discard : QMessageBox::No;
    QMessageBox box(QMessageBox::Question, ToQString(strings::kAppName), ToQString(text),
                    yes | no | QMessageBox::Cancel, owner_);
    box.setDefaultButton(yes);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    if (answer == yes)
        return prompt::Answer::Yes;
    if (answer == no)
        return prompt::Answer::No;
    return prompt::Answer::Cancel;
}

std::optional<std::string> QtPrompt::ChooseOpenFile(const prompt::FileChoice& choice)
{
    return RunFileDialog(owner_, choice, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtPrompt::ChooseSaveFile(const prompt::FileChoice& choice)
{
    return RunFileDialog(owner_, choice, QFileDialog::AcceptSave);
}

} // namespace qtcommon
