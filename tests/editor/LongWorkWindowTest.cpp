// The window's long commands: the progress dialog past the threshold (on a
// clock the work moves itself), its count and its Cancel.
#include "editor/ui/LongWork.h"
#include "qtcommon/QtText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "tests/editor/FireOneFiles.h"
#include "tests/editor/MainWindowFixture.h"

#include <QProgressDialog>
#include <QTest>
#include <atomic>
#include <future>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class LongWorkWindow : public editortest::MainWindow
{
protected:
    editor::LongWork& Work() { return window.LongCommands(); }

    // Time stands still until the work moves it.
    editor::BackgroundCommand::Clock StillClock()
    {
        return [now = now] { return Clock::time_point(std::chrono::milliseconds(now->load())); };
    }

    std::shared_ptr<std::atomic<long long>> now = std::make_shared<std::atomic<long long>>(0);
};

TEST_F(LongWorkWindow, WorkDoneWithinTheThresholdShowsNoDialog)
{
    Work().SetTiming(500ms, StillClock());
    bool eventsRan = false;
    QTimer::singleShot(0, [&eventsRan] { eventsRan = true; });
    EXPECT_TRUE(Work().Run(
        strings::kProgressSaving,
        [now = now](prompt::Prompt&, show::WorkProgress& progress) {
            *now += 499;
            progress.Step(1, 1);
        },
        [](bool) {}));
    EXPECT_FALSE(eventsRan) << "no event loop ran, so no dialog showed";
    QApplication::processEvents();
}

TEST_F(LongWorkWindow, PastTheThresholdADialogCountsAndItsCancelEndsTheWaitAtOnce)
{
    Work().SetTiming(500ms, StillClock());
    const std::vector<std::function<void(QProgressDialog&)>> cancels = {
        [](QProgressDialog& dialog) { dialog.findChild<QPushButton*>()->click(); },
        [](QProgressDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
    };
    for (const auto& cancel : cancels) {
        *now = 0;
        std::promise<void> release;
        const std::shared_future<void> released = release.get_future().share();
        QString label;
        int maximum = -1;
        int value = -1;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            label = dialog->labelText();
            maximum = dialog->maximum();
            value = dialog->value();
            cancel(*dialog);
        });
        bool handedBack = false;
        EXPECT_FALSE(Work().Run(
            strings::kProgressImporting,
            [now = now, released](prompt::Prompt&, show::WorkProgress& progress) {
                progress.Step(3, 10);
                *now += 501;
                released.wait_for(30s); // still working when the window goes on
                progress.Step(4, 10);   // raises the stop
            },
            [&handedBack](bool) { handedBack = true; }));
        release.set_value();
        EXPECT_FALSE(handedBack) << "a cancelled command hands the window nothing";
        EXPECT_EQ(label,
                  qtcommon::ToQString(strings::kProgressImporting) + QLatin1Char('\n') +
                      qtcommon::ToQString(strings::FormatText(strings::kProgressRecords, 3)));
        EXPECT_EQ(maximum, 10);
        EXPECT_EQ(value, 3);
    }
}

TEST_F(LongWorkWindow, AnImportShowingItsProgressEndsAsBefore)
{
    Work().SetTiming(0ms, [] { return Clock::now(); });
    const std::string path = dir.File("fireone.db");
    editortest::MakeFireOneFile(path, editortest::ManyFireRecords(20000));
    bool dialogSeen = false;
    QTimer::singleShot(0, [&dialogSeen] {
        dialogSeen = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()) != nullptr;
    });
    prompt.openFiles.push_back(path);
    Action("actionFireOneDatabase").trigger();
    EXPECT_TRUE(dialogSeen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the dialog has gone";
    EXPECT_EQ(Grid().GetRowCount(), 20001);
    EXPECT_EQ(window.CurrentStorePath(), path);
    EXPECT_TRUE(prompt.messages.empty()) << ::testing::PrintToString(prompt.MessageTexts());
    EXPECT_EQ(prompt.openChoices.size(), 1u);
    EXPECT_EQ(prompt.offThread, 0);
}

} // namespace
