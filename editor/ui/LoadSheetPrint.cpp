#include "editor/ui/LoadSheetPrint.h"

#include "editor/print/LoadSheetPainter.h"
#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
#include "resources/strings/Strings.h"
#include "show/HostPlan.h"
#include "show/LoadSheet.h"
#include "show/ShowReader.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <filesystem>

namespace editor {

namespace {

void ShowStop(prompt::Prompt& prompt, const show::Failure& failure)
{
    const messages::Message message = messages::FailureMessage(failure, messages::Doing::kOpening);
    prompt.ShowMessage(message.text, prompt::MessageIcon::Stop);
}

} // namespace

void PrintLoadSheets(const std::vector<show::Cue>& cues, const std::string& storePath, bool unsaved,
                     prompt::Prompt& prompt, QWidget* owner)
{
    std::vector<show::LoadSheet> sheets;
    try {
        // A plan that cannot be used prints nothing rather than sheets
        // without codes.
        sheets = show::BuildLoadSheets(
            cues, storePath.empty() ? show::HostCodeLookup(
                                          [](const std::string&) { return std::optional<int>(); })
                                    : show::PlannedHostCodes(show::ReadHostPlanChecked(storePath)));
    } catch (const show::Failure& failure) {
        ShowStop(prompt, failure);
        return;
    }
    const std::string name = std::filesystem::path(storePath).filename().string();
    const std::string heading = unsaved ? name + "  " + strings::kSheetUnsaved : name;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(name));
    QPrintPreviewDialog preview(&printer, owner);
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
            if (PaintLoadSheets(*target, sheets, heading) < 0)
                prompt.ShowMessage(strings::kSheetPrintFailed, prompt::MessageIcon::Stop);
        });
    preview.exec();
}

void PrintStoreLoadSheets(const std::string& storePath, prompt::Prompt& prompt, QWidget* owner)
{
    std::vector<show::Cue> cues;
    try {
        cues = show::ReadShowFile(storePath);
    } catch (const show::Failure& failure) {
        ShowStop(prompt, failure);
        return;
    }
    PrintLoadSheets(cues, storePath, false, prompt, owner);
}

} // namespace editor
