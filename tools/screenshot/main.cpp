// Shows the main window with a demo show opened through "Corvane Database"
// and saves a picture of the window: tavrin-screenshot OUTPUT.png
#include "ConverterDlg.h"
#include "DemoShow.h"
#include "Prompt.h"
#include "VSFlexGrid.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

namespace {

// Picks the demo store when asked for a file; any message is a failure.
class DemoPrompt final : public prompt::Prompt
{
public:
    explicit DemoPrompt(std::string store) : store_(std::move(store)) {}

    void ShowMessage(const std::string& text, prompt::MessageIcon /*icon*/) override
    {
        std::fprintf(stderr, "tavrin-screenshot: the window said: %s\n", text.c_str());
        failed = true;
    }
    bool AskYesNo(const std::string& /*text*/) override { return false; }
    std::optional<std::string> ChooseOpenFile(const prompt::FileChoice& /*choice*/) override
    {
        return store_;
    }
    std::optional<std::string> ChooseSaveFile(const prompt::FileChoice& /*choice*/) override
    {
        return std::nullopt;
    }

    bool failed = false;

private:
    std::string store_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavrin-screenshot OUTPUT.png\n");
        return 2;
    }
    QTemporaryDir folder;
    const std::string store = QDir(folder.path()).filePath(QStringLiteral("demo.db")).toStdString();
    try {
        WriteDemoShow(store);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tavrin-screenshot: %s\n", error.what());
        return 1;
    }

    DemoPrompt prompt(store);
    CConverterDlg window(prompt);
    window.show();
    window.findChild<QAction*>(QStringLiteral("actionCorvaneDatabase"))->trigger();
    if (prompt.failed)
        return 1;

    // A few cues selected, as a designer about to assign them a host would.
    auto* grid = window.findChild<CVSFlexGrid*>(QStringLiteral("grid"));
    grid->selectRow(11);
    grid->setSelectionMode(QAbstractItemView::MultiSelection);
    grid->selectRow(12);
    grid->selectRow(13);
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (int pass = 0; pass < 10; ++pass)
        QApplication::processEvents();

    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "tavrin-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
