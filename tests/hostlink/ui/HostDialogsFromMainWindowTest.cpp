// The main window's Tools menu runs the two host dialogs modally, with
// nothing of its own handed to them.
#include "editor/ui/ConverterDlg.h"
#include "hostlink/ui/DownloadDlg.h"
#include "hostlink/ui/HostPlanDlg.h"
#include "hostlink/ui/HostSettingsDlg.h"
#include "hostlink/ui/LoadAllHostsDlg.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostPlan.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/hostlink/ui/DialogTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

using dialogtest::Child;
using dialogtest::RunModal;

namespace {

class ToolsMenu : public ::testing::Test
{
protected:
    ToolsMenu() : window(prompt) { window.show(); }
    QAction& Action(const char* name) { return Child<QAction>(window, name); }

    testsupport::TempDir dir;
    testsupport::FakePrompt prompt;
    CConverterDlg window;
};

TEST_F(ToolsMenu, DownloadOpensTheDownloadDialog)
{
    for (const char* action : {"actionDownload", "actionToolbarDownload"}) {
        SCOPED_TRACE(action);
        RunModal<CDownloadDlg>(Action(action), "buttonClose", [&](CDownloadDlg& dialog) {
            EXPECT_EQ(dialog.parent(), &window);
            EXPECT_FALSE(dialog.IsWorking());
        });
    }
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_TRUE(prompt.openChoices.empty()) << "the store is chosen only by Download";
}

TEST_F(ToolsMenu, HostSettingsAsksForTheStoreAndListsItsNames)
{
    prompt.openFiles.push_back(
        hostlinktest::MakeShowStore(dir, {{.FlowID = 0, .HostName = "东区"}}));
    RunModal<CHostSettingsDlg>(Action("actionHostSettings"), "buttonExit",
                               [&](CHostSettingsDlg& dialog) {
                                   auto& list = Child<QListWidget>(dialog, "listHosts");
                                   ASSERT_EQ(list.count(), 1);
                                   EXPECT_EQ(list.item(0)->text(), QStringLiteral("东区"));
                               });
    EXPECT_EQ(prompt.openChoices.size(), 1u);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(window.CurrentStorePath(), "") << "the window's store is not the dialog's";
}

} // namespace

namespace {

// The status bar counts the hosts of the plan that are not current, read
// after a load and after a host dialog.
TEST_F(ToolsMenu, TheStatusBarCountsTheHostsNotCurrent)
{
    const std::string store = hostlinktest::MakeShowStore(
        dir, {{.FlowID = 0, .HostName = "A"}, {.FlowID = 1, .HostName = "B", .BlastTime = 1000}});
    show::ChangeHostPlan(store, {{"A", 5}, {"B", 6}}, {});
    const auto hosts = [this] { return Child<QLabel>(window, "statusHosts").text(); };
    EXPECT_EQ(hosts(), QString());
    window.OpenStoreFile(store);
    EXPECT_EQ(hosts(), QString::fromUtf8(strings::FormatText(strings::kStatusHostsNotCurrent, 2)));

    hostlinktest::RecordFieldLoad(store, 5, "A");
    RunModal<CHostPlanDlg>(Action("actionHostPlan"), "buttonClose", [](CHostPlanDlg&) {});
    EXPECT_EQ(hosts(), QString::fromUtf8(strings::FormatText(strings::kStatusHostsNotCurrent, 1)));
    hostlinktest::RecordFieldLoad(store, 6, "B");
    window.OpenStoreFile(store);
    EXPECT_EQ(hosts(), QString::fromUtf8(strings::kStatusHostsCurrent));
    EXPECT_TRUE(prompt.messages.empty());
}

// The window's host options reach the field dialogs too: where each host
// is, and the socket layer's start.
TEST_F(ToolsMenu, LoadAllHostsTalksAsTheWindowsHostOptionsSay)
{
    const std::string store = hostlinktest::MakeShowStore(dir, {{.FlowID = 0, .HostName = "A"}});
    show::ChangeHostPlan(store, {{"A", 5}}, {});
    window.OpenStoreFile(store);
    int starts = 0;
    hostlink::HostDialogOptions options;
    options.links = hostlink::EveryHostAt(hostlinktest::LoopbackOptions(4000));
    options.startSocketLayer = [&starts] { return ++starts < 0; }; // it fails
    window.SetHostDialogOptions(options);
    QString address;
    RunModal<CLoadAllHostsDlg>(
        Action("actionLoadAllHosts"), "buttonClose", [&](CLoadAllHostsDlg& dialog) {
            address = Child<QTableWidget>(dialog, "hosts").item(0, 2)->text();
        });
    EXPECT_EQ(address, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kNetworkInitialFailure});
}

} // namespace
