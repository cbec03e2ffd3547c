// The Host Settings dialog, offscreen, setting names on the virtual host on
// loopback with short waits.
#include "hostlink/ui/HostSettingsDlg.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostPlan.h"
#include "show/HostStates.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/hostlink/ui/DialogTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace hostlink;
using namespace hostlinktest;
using namespace dialogtest;
using prompt::MessageIcon;

namespace {

std::string Repeated(const std::string& text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

std::vector<StoreRow> RowsNamed(const std::vector<std::string>& names)
{
    std::vector<StoreRow> rows;
    for (const std::string& name : names)
        rows.push_back({.FlowID = static_cast<int>(rows.size()), .HostName = name});
    return rows;
}

class HostSettingsDialog : public ::testing::Test
{
protected:
    // Opens the dialog on a store with cues of these host names.
    void Open(const std::vector<std::string>& names, VirtualHostOptions hostOptions = {},
              const std::string& pattern = "127.0.0.1")
    {
        prompt.openFiles.push_back(MakeShowStore(dir, RowsNamed(names)));
        OpenChoosing(std::move(hostOptions), pattern);
    }
    // Opens the dialog with whatever file choice is scripted.
    void OpenChoosing(VirtualHostOptions hostOptions = {}, const std::string& pattern = "127.0.0.1",
                      std::function<bool()> startSocketLayer = platform::StartSocketLayer)
    {
        host = StartHost(std::move(hostOptions));
        HostDialogOptions options;
        options.links = hostlink::EveryHostAt(LoopbackOptions(host->Port(), 500ms, pattern));
        options.startSocketLayer = std::move(startSocketLayer);
        dialog = std::make_unique<CHostSettingsDlg>(prompt, nullptr, options);
        dialog->show();
    }

    // Presses Setings with `code` in the edit and waits for the outcome.
    bool Set(int row, const char* code)
    {
        if (row >= 0)
            List().setCurrentRow(row);
        HostCode().setText(QString::fromUtf8(code));
        QSignalSpy finished(dialog.get(), &CHostSettingsDlg::SettingFinished);
        Child<QPushButton>(*dialog, "buttonSet").click();
        EXPECT_TRUE(WaitUntil([&] { return finished.count() > 0; }));
        return !finished.isEmpty() && finished.front().front().toBool();
    }

    QListWidget& List() { return Child<QListWidget>(*dialog, "listHosts"); }
    QLineEdit& HostCode() { return Child<QLineEdit>(*dialog, "editHostCode"); }
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (int row = 0; row < List().count(); ++row)
            names.push_back(Utf8(List().item(row)->text()));
        return names;
    }
    std::string Ticks() // "x" for a ticked item, "." for the others
    {
        std::string ticks;
        for (int row = 0; row < List().count(); ++row)
            ticks += List().item(row)->checkState() == Qt::Checked ? 'x' : '.';
        return ticks;
    }
    std::vector<std::string> NamesReceived() const
    {
        std::vector<std::string> names;
        for (const HostFrameRecord& record : FramesOfKind(*host, DecodedFrame::kHostName))
            names.push_back(record.frame.name);
        return names;
    }
    void ExpectOnlyMessage(const char* text, MessageIcon icon)
    {
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text, text);
        EXPECT_EQ(prompt.messages[0].icon, icon);
        prompt.messages.clear();
    }

    testsupport::TempDir dir;
    dialogtest::WindowThreadPrompt prompt;
    std::unique_ptr<VirtualFiringHost> host;
    std::unique_ptr<CHostSettingsDlg> dialog;
};

TEST_F(HostSettingsDialog, ListsTheStoresNamesOnceEachUnticked)
{
    Open({"HOST", "东区", "HOST", "B-2", "东区"});
    EXPECT_EQ(Names(), (std::vector<std::string>{"HOST", "东区", "B-2"}));
    EXPECT_EQ(Ticks(), "...");
    EXPECT_EQ(Utf8(HostCode().text()), "1");
    EXPECT_EQ(dialog->focusWidget(), &HostCode());
    EXPECT_TRUE(prompt.messages.empty());

    EXPECT_EQ(Utf8(dialog->windowTitle()), strings::kHostSettingsTitle);
    ExpectShownTexts(*dialog, {{"buttonSet", strings::kHostSettingsSet},
                               {"buttonExit", strings::kHostSettingsExit},
                               {"groupHostCode", strings::kHostSettingsCodeGroup},
                               {"groupHostList", strings::kHostSettingsListGroup},
                               {"labelCode", strings::kHostSettingsCodeLabel}});
    // Opens at least at its drawn size, and as large as its texts need, at
    // any font.
    ExpectOpensAtDrawnSize(*dialog, QSize(148, 145));
    QFont large = dialog->font();
    large.setPointSize(28);
    dialog->setFont(large);
    dialog->adjustSize();
    ExpectTextsFit(*dialog);
}

TEST_F(HostSettingsDialog, SelectingANameLeavesItTheOnlyTickedOne)
{
    Open({"A", "B", "C"});
    List().setCurrentRow(0);
    EXPECT_EQ(Ticks(), "x..");
    List().setCurrentRow(2);
    EXPECT_EQ(Ticks(), "..x");
    // A click on a name, its box included, selects and so ticks it.
    const QRect second = List().visualItemRect(List().item(1));
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(Ticks(), ".x.");
    List().clearSelection();
    EXPECT_EQ(Ticks(), "...");
}

TEST_F(HostSettingsDialog, CancelledFileChoiceLeavesAnEmptyDialog)
{
    prompt.openFiles.push_back(std::nullopt);
    OpenChoosing();
    EXPECT_EQ(List().count(), 0);
    EXPECT_EQ(Utf8(HostCode().text()), "");
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_FALSE(Set(-1, ""));
    ExpectOnlyMessage(strings::kHostSettingsNoneTicked, MessageIcon::Stop);
}

TEST_F(HostSettingsDialog, StoreWithoutTheShowTableGivesAnEmptyList)
{
    const std::string path = dir.File("empty.db");
    testsupport::MakeEmptySqliteFile(path);
    prompt.openFiles.push_back(path);
    OpenChoosing();
    EXPECT_EQ(List().count(), 0);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(Utf8(HostCode().text()), "1");
}

TEST_F(HostSettingsDialog, StoreThatFailsWhileReadIsADatabaseErrorAndListsNothing)
{
    const std::string path = MakeShowStore(dir, RowsNamed({"A", "B"}));
    testsupport::RunSql(path, "UPDATE tb_Layout SET HostName = X'00FF' WHERE FlowID = 1");
    prompt.openFiles.push_back(path);
    OpenChoosing();
    ExpectOnlyMessage(strings::kHostSettingsDatabaseException, MessageIcon::Stop);
    EXPECT_EQ(List().count(), 0);
    EXPECT_EQ(Utf8(HostCode().text()), "") << "the network is not started";
}

TEST_F(HostSettingsDialog, TheChooserStartsAtTheGivenStoreAndTheGateStandsBeforeReading)
{
    const std::string store = MakeShowStore(dir, RowsNamed({"A"}));
    for (const bool gateAnswer : {false, true}) {
        SCOPED_TRACE(gateAnswer);
        prompt.asked.clear();
        prompt.openFiles.push_back(store);
        host = StartHost();
        HostDialogOptions options;
        options.links = hostlink::EveryHostAt(LoopbackOptions(host->Port(), 500ms));
        options.currentStore = store;
        options.storeGate = [&](const std::string& path) {
            prompt.asked.push_back("gate " + path);
            return gateAnswer;
        };
        dialog = std::make_unique<CHostSettingsDlg>(prompt, nullptr, options);
        EXPECT_EQ(prompt.asked, (std::vector<std::string>{"chooser at " + store, "gate " + store}));
        // Turned down, the store is not read: as if no file had been chosen.
        EXPECT_EQ(List().count(), gateAnswer ? 1 : 0);
        EXPECT_EQ(Utf8(HostCode().text()), gateAnswer ? "1" : "");
    }
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(HostSettingsDialog, NetworkInitialisationFailureLeavesTheHostCodeEmpty)
{
    prompt.openFiles.push_back(MakeShowStore(dir, RowsNamed({"A"})));
    OpenChoosing({}, "127.0.0.1", [] { return false; });
    ExpectOnlyMessage(strings::kHostSettingsNetworkInitFailed, MessageIcon::Warning);
    EXPECT_EQ(Names(), std::vector<std::string>{"A"});
    EXPECT_EQ(Utf8(HostCode().text()), "");
}

TEST_F(HostSettingsDialog, NameChecksComeBeforeTheHostCode)
{
    const std::string sixtyFour = Repeated("主", 32);
    Open({"A", sixtyFour + "A", "   ", sixtyFour});
    EXPECT_FALSE(Set(-1, ""));
    ExpectOnlyMessage(strings::kHostSettingsNoneTicked, MessageIcon::Stop);
    EXPECT_FALSE(Set(1, "")); // 65 bytes
    ExpectOnlyMessage(strings::kHostSettingsBadName, MessageIcon::Stop);
    EXPECT_FALSE(Set(2, "")); // blank
    ExpectOnlyMessage(strings::kHostSettingsBadName, MessageIcon::Stop);
    EXPECT_TRUE(NamesReceived().empty());

    EXPECT_TRUE(Set(3, "1"));
    ExpectOnlyMessage(strings::kHostSettingsDone, MessageIcon::Information);
    EXPECT_EQ(NamesReceived(), std::vector<std::string>{sixtyFour});
}

TEST_F(HostSettingsDialog, HostCodeChecksAndTheLastHostCode)
{
    Open({"A"}, {.address = "127.0.0.252"}, "127.0.0.%i");
    EXPECT_FALSE(Set(0, ""));
    ExpectOnlyMessage(strings::kHostSettingsNoCode, MessageIcon::Warning);
    for (const char* code : {"0", "253"}) {
        SCOPED_TRACE(code);
        EXPECT_FALSE(Set(0, code));
        ExpectOnlyMessage(strings::kHostSettingsBadCode, MessageIcon::Warning);
    }
    EXPECT_TRUE(NamesReceived().empty());
    EXPECT_TRUE(Set(0, "252"));
    ExpectOnlyMessage(strings::kHostSettingsDone, MessageIcon::Information);
    EXPECT_EQ(NamesReceived(), std::vector<std::string>{"A"});
}

TEST_F(HostSettingsDialog, HostCodeEditTakesDigitsOnly)
{
    Open({"A"});
    HostCode().clear();
    QTest::keyClicks(&HostCode(), QStringLiteral("1a2 b"));
    EXPECT_EQ(Utf8(HostCode().text()), "12");
}

TEST_F(HostSettingsDialog, RefusalAndSuccessLeaveTheDialogAsItWas)
{
    Open({"A", "B"}, {.refuseFrame = 1});
    EXPECT_FALSE(Set(0, "1"));
    ExpectOnlyMessage(strings::kHostSettingsFailed, MessageIcon::Stop);

    bool settingDuringMessage = false;
    prompt.onMessage = [&] { settingDuringMessage = dialog->IsWorking(); };
    EXPECT_TRUE(Set(1, "1"));
    ExpectOnlyMessage(strings::kHostSettingsDone, MessageIcon::Information);
    EXPECT_TRUE(settingDuringMessage) << "the exchange waits for its message";
    EXPECT_EQ(prompt.callsOffWindowThread, 0);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Ticks(), ".x");
    EXPECT_EQ(Utf8(HostCode().text()), "1");
    EXPECT_EQ(NamesReceived(), (std::vector<std::string>{"A", "B"}));
}

TEST_F(HostSettingsDialog, ExitDuringAnExchangeClosesAfterIt)
{
    Open({"A"}, {.replyDelay = 200ms});
    List().setCurrentRow(0);
    QSignalSpy finished(dialog.get(), &CHostSettingsDlg::SettingFinished);
    Child<QPushButton>(*dialog, "buttonSet").click();
    Child<QPushButton>(*dialog, "buttonExit").click();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_TRUE(WaitUntil([&] { return !dialog->isVisible(); }));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ExpectOnlyMessage(strings::kHostSettingsDone, MessageIcon::Information);
}

TEST_F(HostSettingsDialog, ASettingIsRecordedAsBegunBeforeItsFrameAndCompletedAtItsEnd)
{
    const std::string store = MakeShowStore(dir, RowsNamed({"A"}));
    prompt.openFiles.push_back(store);
    OpenChoosing({.replyDelay = 200ms});
    List().setCurrentRow(0);
    QSignalSpy finished(dialog.get(), &CHostSettingsDlg::SettingFinished);
    Child<QPushButton>(*dialog, "buttonSet").click();
    ExpectRecordedAsBegunThenCompleted(store, [&] { return finished.count() > 0; });
}

TEST_F(HostSettingsDialog, StartsAtThePlansCodeAndAsksBeforeNamingAnotherNamesHost)
{
    const std::string store = MakeShowStore(dir, RowsNamed({"A", "B", "C"}));
    show::ChangeHostPlan(store, {{"A", 5}, {"B", 6}}, {});
    prompt.openFiles.push_back(store);
    OpenChoosing();
    List().setCurrentRow(1);
    EXPECT_EQ(Utf8(HostCode().text()), "6");
    List().setCurrentRow(2); // C has no code: the edit keeps what it has
    EXPECT_EQ(Utf8(HostCode().text()), "6");

    prompt.answers = {false};
    EXPECT_FALSE(Set(0, "6"));
    const std::string question = strings::FormatText(strings::kHostSettingsCodeTaken, 6, "B", "A");
    EXPECT_EQ(prompt.questions, std::vector<std::string>{question});
    EXPECT_TRUE(NamesReceived().empty()) << "No sends nothing";
    EXPECT_TRUE(show::ReadHostRecords(store).empty());

    prompt.answers = {true};
    EXPECT_TRUE(Set(0, "6"));
    EXPECT_EQ(NamesReceived(), std::vector<std::string>{"A"});
    EXPECT_TRUE(Set(1, "6")) << "B's own host: no question";
    EXPECT_EQ(prompt.questions.size(), 2u);
    const std::vector<store::HostRecord> records = show::ReadHostRecords(store);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].HostName, "B");
    EXPECT_EQ(records[1].Sent, store::kSentHostName);
    EXPECT_FALSE(records[1].AtField) << "a host on loopback";
}

} // namespace
