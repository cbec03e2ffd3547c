#include "editor/print/LoadSheetPdf.h"

#include "editor/print/LoadSheetPainter.h"

#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
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

bool WriteLoadSheetsPdf(const std::string& path, const std::vector<show::LoadSheet>& sheets,
                        const std::string& show)
{
    const std::unique_ptr<QGuiApplication> gui = GuiForPainting();
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter pdf(&file);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(300);
        pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        pdf.setTitle(QString::fromStdString(show));
        pdf.setCreator(QStringLiteral("Tavrin"));
        if (PaintLoadSheets(pdf, sheets, show) < 0)
            return false;
    }
    return file.error() == QFileDevice::NoError && file.commit();
}

} // namespace editor
