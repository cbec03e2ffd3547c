// Downloads and host settings started from the main window: the dialogs'
// choosers start at the window's store, unsaved host names are asked about,
// and the show check stands before the first frame. The virtual host is on
// loopback and records what it got.
#include "editor/ui/ConverterDlg.h"
#include "editor/ui/VSFlexGrid.h"
#include "hostlink/ui/DownloadDlg.h"
#include "hostlink/ui/HostSettingsDlg.h"
#include "qtcommon/ShowCheckDlg.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/hostlink/ui/DialogTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

using namespace hostlinktest;
using dialogtest::Child;
using dialogtest::WaitUntil;
using prompt::Answer;

namespace {

class WindowDownload : public ::testing::Test
{
protected:
    WindowDownload() : window(prompt)
    {
        host = StartHost();
        hostlink::HostDialogOptions options;
        options.links = hostlink::EveryHostAt(LoopbackOptions(host->Port(), 2000ms));
        window.SetHostDialogOptions(options);
        window.show();
    }

    std::string OpenStore(const std::vector<StoreRow>& rows)
    {
        const std::string path = MakeShowStore(dir, rows);
        prompt.openFiles.push_back(path);
        Child<QAction>(window, "actionCorvaneDatabase").trigger();
        return path;
    }

    struct Run
    {
        bool completed = false;
        bool checkShown = false;
    };

    // Downloads from "Tools" > "Download..." and closes the dialog; if the
    // show check's question comes up, presses `checkButton` there.
    Run Download(const std::string& store, const char* checkButton = "buttonClose")
    {
        Run run;
        prompt.openFiles.push_back(store);
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CDownloadDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QSignalSpy finished(dialog, &CDownloadDlg::DownloadFinished);
            QTimer check;
            QObject::connect(&check, &QTimer::timeout, [&] {
                auto* shown = qobject_cast<CShowCheckDlg*>(QApplication::activeModalWidget());
                if (!shown)
                    return;
                run.checkShown = true;
                EXPECT_TRUE(Child<QPushButton>(*shown, "buttonClose").isDefault()) << "Cancel";
                Child<QPushButton>(*shown, checkButton).click();
            });
            check.start(10);
            Child<QPushButton>(*dialog, "buttonDownload").click();
            EXPECT_TRUE(WaitUntil([&] { return finished.count() > 0; }));
            run.completed = !finished.isEmpty() && finished.front().front().toBool();
            Child<QPushButton>(*dialog, "buttonClose").click();
        });
        Child<QAction>(window, "actionDownload").trigger();
        return run;
    }

    std::vector<std::string> HostNamesReceived() const
    {
        std::vector<std::string> names;
        for (const auto& record : FramesOfKind(*host, hostlink::DecodedFrame::kCue))
            names.push_back(record.frame.name);
        return names;
    }

    void SetHost(int row, const std::string& name)
    {
        Child<CVSFlexGrid>(window, "grid").SetCellText(row, 1, name);
    }

    testsupport::TempDir dir;
    testsupport::FakePrompt prompt;
    std::unique_ptr<hostlink::VirtualFiringHost> host;
    CConverterDlg window;
};

const std::vector<StoreRow> kTwoCues = {{.FlowID = 0, .HostName = "HOST", .Channel = "00"},
                                        {.FlowID = 1, .HostName = "HOST", .Channel = "01"}};

TEST_F(WindowDownload, YesSavesTheGridsNamesAndTheHostGetsThem)
{
    const std::string store = OpenStore(kTwoCues);
    SetHost(1, "North-1");
    prompt.threeWayAnswers = {Answer::Yes};
    const Run run = Download(store);
    EXPECT_TRUE(run.completed);
    ASSERT_EQ(prompt.openChoices.size(), 2u);
    EXPECT_EQ(prompt.openChoices[1].initialPath, store) << "the chooser starts at the store";
    EXPECT_EQ(prompt.threeWayButtons, std::vector{prompt::AnswerButtons::YesNoCancel});
    EXPECT_EQ(prompt.questions, std::vector<std::string>{strings::FormatText(
                                    strings::kUnsavedQuestion, strings::kUnsavedBeforeDownload)});
    EXPECT_EQ(HostNamesReceived(), (std::vector<std::string>{"North-1", "HOST"}));
    EXPECT_FALSE(window.HasUnsavedHostNames());
}

TEST_F(WindowDownload, NoSendsTheStoreAsItIsAndCancelSendsNothing)
{
    const std::string store = OpenStore(kTwoCues);
    SetHost(1, "North-1");
    prompt.threeWayAnswers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(Download(store).completed);
    EXPECT_TRUE(host->Records().empty());
    EXPECT_TRUE(Download(store).completed);
    EXPECT_EQ(HostNamesReceived(), (std::vector<std::string>{"HOST", "HOST"}));
    EXPECT_TRUE(window.HasUnsavedHostNames());
    EXPECT_EQ(prompt.unscripted, 0);
}

TEST_F(WindowDownload, APinFiredTwiceGoesOnlyWithTheDesignersWord)
{
    const std::vector<StoreRow> twice = {{.FlowID = 0, .HostName = "A1"},
                                         {.FlowID = 1, .HostName = "A1", .BlastTime = 500}};
    const std::string store = MakeShowStore(dir, twice, "twice.db");
    Run run = Download(store, "buttonClose");
    EXPECT_TRUE(run.checkShown);
    EXPECT_FALSE(run.completed);
    EXPECT_TRUE(host->Records().empty()) << "Cancel sends nothing";

    run = Download(store, "buttonDownloadAnyway");
    EXPECT_TRUE(run.checkShown);
    EXPECT_TRUE(run.completed);
    EXPECT_EQ(HostNamesReceived().size(), 2u);
    EXPECT_TRUE(prompt.questions.empty()) << "not the window's store: nothing to save";
}

TEST_F(WindowDownload, HostSettingsStartsAtTheStoreAndCanSaveFirst)
{
    const std::string store = OpenStore(kTwoCues);
    SetHost(2, "South-2");
    prompt.openFiles.push_back(store);
    prompt.threeWayAnswers = {Answer::Yes};
    QStringList listed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CHostSettingsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        const auto& list = Child<QListWidget>(*dialog, "listHosts");
        for (int i = 0; i < list.count(); ++i)
            listed << list.item(i)->text();
        Child<QPushButton>(*dialog, "buttonExit").click();
    });
    Child<QAction>(window, "actionHostSettings").trigger();
    ASSERT_EQ(prompt.openChoices.size(), 2u);
    EXPECT_EQ(prompt.openChoices[1].initialPath, store);
    EXPECT_EQ(prompt.questions,
              std::vector<std::string>{strings::FormatText(strings::kUnsavedQuestion,
                                                           strings::kUnsavedBeforeHostSettings)});
    listed.sort();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("HOST"), QStringLiteral("South-2")}));
}

} // namespace
