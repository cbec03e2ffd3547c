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

void PrintLoadSheets(const std::string& storePath, prompt::Prompt& prompt, QWidget* owner)
{
    std::vector<show::LoadSheet> sheets;
    try {
        const std::vector<show::Cue> cues = show::ReadShowFile(storePath);
        // A plan that cannot be used prints nothing rather than sheets
        // without codes.
        sheets = show::BuildLoadSheets(
            cues, show::PlannedHostCodes(show::ReadHostPlanChecked(storePath)));
    } catch (const show::Failure& failure) {
        const messages::Message message =
            messages::FailureMessage(failure, messages::Doing::kLoading);
        prompt.ShowMessage(message.text, prompt::MessageIcon::Stop);
        return;
    }
    const std::string name = std::filesystem::path(storePath).filename().string();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(name));
    QPrintPreviewDialog preview(&printer, owner);
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
            if (PaintLoadSheets(*target, sheets, name) < 0)
                prompt.ShowMessage(strings::kSheetPrintFailed, prompt::MessageIcon::Stop);
        });
    preview.exec();
}

} // namespace editor
