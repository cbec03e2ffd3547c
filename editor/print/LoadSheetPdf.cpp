#include "editor/print/LoadSheetPdf.h"

#include "editor/print/LoadSheetPainter.h"
#include "show/Failure.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <memory>

namespace editor {

namespace {

// Fonts and painting need a QGuiApplication; a terminal has no display.
std::unique_ptr<QGuiApplication> GuiForPainting()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The platform's notes (no runtime folder, say) are not the command's
    // errors; the command reports its own.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "tavrin-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

void WriteLoadSheetsPdf(show::OutputFile& file, const std::vector<show::LoadSheet>& sheets,
                        const std::string& show)
{
    const std::unique_ptr<QGuiApplication> gui = GuiForPainting();
    QFile out;
    if (!out.open(file.Descriptor(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
        throw show::Failure(show::FailureCode::kOutputNotWritten)
            .WithName(file.Target())
            .WithDetail(out.errorString().toStdString());
    {
        QPdfWriter pdf(&out);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(300);
        pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        pdf.setTitle(QString::fromStdString(show));
        pdf.setCreator(QStringLiteral("Tavrin"));
        if (PaintLoadSheets(pdf, sheets, show) < 0)
            throw show::Failure(show::FailureCode::kSheetsNotPainted).WithName(file.Target());
    }
    if (!out.flush() || out.error() != QFileDevice::NoError)
        throw show::Failure(show::FailureCode::kOutputNotWritten)
            .WithName(file.Target())
            .WithDetail(out.errorString().toStdString());
    out.close();
    file.Commit();
}

} // namespace editor
