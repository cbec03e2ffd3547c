#include "editor/ui/LoadSheetPrint.h"

#include "editor/print/LoadSheetPainter.h"
#include "prompt/Prompt.h"
#include "resources/strings/Strings.h"
#include "show/HostPlan.h"
#include "show/LoadSheet.h"
#include "show/ShowCues.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <filesystem>

namespace editor {

void PrintLoadSheets(const std::string& storePath, prompt::Prompt& prompt, QWidget* owner)
{
    const show::ShowCues show = show::ReadShowCues(storePath);
    if (show.status != show::ShowCues::kRead) {
        prompt.ShowMessage(show.status == show::ShowCues::kNoLayoutTable ? strings::kNoLayoutTable
                                                                         : show.detail,
                           prompt::MessageIcon::Stop);
        return;
    }
    const std::vector<show::LoadSheet> sheets = show::BuildLoadSheets(
        show.cues, show::PlannedHostCodes(show::LoadHostPlan(storePath).entries));
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
