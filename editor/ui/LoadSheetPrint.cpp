#include "LoadSheetPrint.h"

#include "HostPlan.h"
#include "LoadSheet.h"
#include "LoadSheetPainter.h"
#include "Prompt.h"
#include "ShowCues.h"
#include "strings/Strings.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <filesystem>

namespace editor {

void PrintLoadSheets(const std::string& storePath, prompt::Prompt& prompt, QWidget* owner)
{
    const ShowCues show = ReadShowCues(storePath);
    if (show.status != ShowCues::kRead) {
        prompt.ShowMessage(show.status == ShowCues::kNoLayoutTable ? strings::kNoLayoutTable
                                                                   : show.detail,
                           prompt::MessageIcon::Stop);
        return;
    }
    const std::vector<LoadSheet> sheets =
        BuildLoadSheets(show.cues, PlannedHostCodes(hostlink::LoadHostPlan(storePath).entries));
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
