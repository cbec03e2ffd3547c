// The Download dialog, offscreen, downloading to the virtual host on
// loopback with short waits.
#include "hostlink/ui/DownloadDlg.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostStates.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/hostlink/ui/DialogTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace hostlink;
using namespace hostlinktest;
using namespace dialogtest;
using prompt::MessageIcon;

namespace {

class DownloadDialog : public ::testing::Test
{
protected:
    void Open(VirtualHostOptions hostOptions = {}, std::chrono::milliseconds wait = 2000ms,
              const std::string& pattern = "127.0.0.1",
              std::function<bool()> startSocketLayer = platform::StartSocketLayer)
    {
        host = StartHost(std::move(hostOptions));
        HostDialogOptions options;
        options.links = hostlink::EveryHostAt(LoopbackOptions(host->Port(), wait, pattern));
        options.startSocketLayer = std::move(startSocketLayer);
        dialog = std::make_unique<CDownloadDlg>(prompt, nullptr, options);
        dialog->show();
        QObject::connect(&Bar(), &QProgressBar::valueChanged,
                         [this](int value) { barValues.push_back(value); });
    }

    // Presses Download, chooses `store`, and waits for the download to end.
    bool Download(const std::string& store)
    {
        QSignalSpy finished(dialog.get(), &CDownloadDlg::DownloadFinished);
        prompt.openFiles.push_back(store);
        Button("buttonDownload").click();
        EXPECT_TRUE(WaitUntil([&] { return finished.count() > 0; }));
        return !finished.isEmpty() && finished.front().front().toBool();
    }
    // Presses Download and returns once `percent` is on the bar.
    void StartDownload(const std::string& store, int percent)
    {
        prompt.openFiles.push_back(store);
        Button("buttonDownload").click();
        EXPECT_TRUE(WaitUntil([&] { return Bar().value() >= percent; }));
    }
    // Waits for a while and tells whether the host got nothing more.
    bool HostStaysQuiet()
    {
        const std::size_t before = host->Records().size();
        WaitUntil([] { return false; }, 300ms);
        return host->Records().size() == before;
    }

    QPushButton& Button(const char* name) { return Child<QPushButton>(*dialog, name); }
    QProgressBar& Bar() { return Child<QProgressBar>(*dialog, "progressBar"); }
    QLineEdit& HostCode() { return Child<QLineEdit>(*dialog, "editHostCode"); }
    std::string Text(const char* label) { return Utf8(Child<QLabel>(*dialog, label).text()); }
    std::string ProgressText() { return Text("labelProgressText"); }
    std::string EndText() { return Text("labelEndText"); }
    std::string StatusLine() { return Text("labelStatusLine"); }

    std::size_t CuesReceived() const { return FramesOfKind(*host, DecodedFrame::kCue).size(); }
    void ExpectOnlyMessage(const char* text, MessageIcon icon)
    {
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text, text);
        EXPECT_EQ(prompt.messages[0].icon, icon);
    }

    testsupport::TempDir dir;
    dialogtest::WindowThreadPrompt prompt;
    std::unique_ptr<VirtualFiringHost> host;
    std::unique_ptr<CDownloadDlg> dialog;
    std::vector<int> barValues; // every change of the bar after opening
};

TEST_F(DownloadDialog, OpensWithHostCodeOneAndItsControls)
{
    Open();
    EXPECT_EQ(Utf8(dialog->windowTitle()), strings::kDownloadTitle);
    EXPECT_EQ(Utf8(HostCode().text()), "1");
    EXPECT_EQ(Bar().minimum(), 0);
    EXPECT_EQ(Bar().maximum(), 100);
    EXPECT_EQ(Bar().value(), 0);
    EXPECT_EQ(ProgressText(), "");
    EXPECT_EQ(EndText(), "");
    EXPECT_EQ(StatusLine(), "");
    EXPECT_TRUE(prompt.messages.empty());

    const std::pair<const char*, const char*> buttons[] = {
        {"buttonTest", strings::kDownloadTest},
        {"buttonDownload", strings::kDownloadButton},
        {"buttonCancel", strings::kDownloadCancel},
        {"buttonClose", strings::kDownloadClose}};
    for (const auto& [name, text] : buttons) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Utf8(Button(name).text()), text);
        EXPECT_FALSE(Button(name).isDefault());
        EXPECT_FALSE(Button(name).autoDefault());
    }
    // Test and Download Backup do nothing yet, so they cannot be used.
    EXPECT_FALSE(Button("buttonTest").isEnabled());
    auto& backup = Child<QCheckBox>(*dialog, "checkDownloadBackup");
    EXPECT_EQ(Utf8(backup.text()), strings::kDownloadBackup);
    EXPECT_FALSE(backup.isEnabled());
    EXPECT_FALSE(backup.isChecked());
    EXPECT_FALSE(Button("buttonCancel").isVisible());
    ExpectShownTexts(*dialog, {{"groupHostCode", strings::kDownloadHostCodeGroup},
                               {"groupProgress", strings::kDownloadProgressGroup},
                               {"labelCode", strings::kDownloadCodeLabel}});
    ExpectOpensAtDrawnSize(*dialog, QSize(214, 133));
}

TEST_F(DownloadDialog, LargeFontsStillFitEveryText)
{
    Open();
    for (const int points : {16, 28}) {
        SCOPED_TRACE(points);
        QFont font = dialog->font();
        font.setPointSize(points);
        dialog->setFont(font);
        dialog->adjustSize();
        ExpectTextsFit(*dialog);
    }
}

TEST_F(DownloadDialog, ChooserOffersAccessThenSqliteThenEverything)
{
    Open();
    prompt.openFiles.push_back(std::nullopt);
    QSignalSpy finished(dialog.get(), &CDownloadDlg::DownloadFinished);
    Button("buttonDownload").click();
    ASSERT_EQ(prompt.openChoices.size(), 1u);
    const prompt::FileChoice& choice = prompt.openChoices[0];
    ASSERT_EQ(choice.filters.size(), 3u);
    EXPECT_EQ(choice.filters[0].label, strings::kFilterMdbChinese);
    EXPECT_EQ(choice.filters[0].patterns, std::vector<std::string>{"*.mdb"});
    EXPECT_EQ(choice.filters[1].label, strings::kFilterSqlite);
    EXPECT_EQ(choice.filters[1].patterns,
              (std::vector<std::string>{"*.db", "*.sqlite", "*.sqlite3"}));
    EXPECT_EQ(choice.filters[2].label, strings::kFilterAll);
    EXPECT_EQ(choice.initialPath, "") << "a dialog of its own starts nowhere in particular";
    // Cancelled: the download ends without a message.
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_TRUE(host->Records().empty());
}

// What the dialog asks, in the order it asks it: the chooser, the host code,
// the gate of whoever opened it, then the store is read.
class DownloadQuestions : public DownloadDialog
{
protected:
    void OpenGated(bool gateAnswer)
    {
        host = StartHost();
        HostDialogOptions options;
        options.links = hostlink::EveryHostAt(LoopbackOptions(host->Port(), 2000ms));
        options.currentStore = current;
        options.storeGate = [this, gateAnswer](const std::string& path) {
            prompt.asked.push_back("gate " + path);
            return gateAnswer;
        };
        dialog = std::make_unique<CDownloadDlg>(prompt, nullptr, options);
        dialog->show();
    }

    const std::string current = dir.File("current.db");
};

TEST_F(DownloadQuestions, EmptyHostCodeIsToldAfterTheChooserAndBeforeTheGate)
{
    OpenGated(true);
    HostCode().clear();
    EXPECT_FALSE(Download(MakeShowStore(dir, NumberedRows(2))));
    EXPECT_EQ(prompt.asked,
              (std::vector<std::string>{"chooser at " + current,
                                        "message " + std::string(strings::kPleaseInputHostCode)}));
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(DownloadQuestions, TheGateComesAfterTheHostCodeAndBeforeTheStoreIsRead)
{
    OpenGated(true);
    const std::string store = MakeShowStore(dir, NumberedRows(2));
    EXPECT_TRUE(Download(store));
    EXPECT_EQ(prompt.asked, (std::vector<std::string>{"chooser at " + current, "gate " + store}));
    EXPECT_EQ(CuesReceived(), 2u);

    // A store that cannot be read is told of only once the gate let it pass.
    prompt.asked.clear();
    const std::string missing = dir.File("missing.db");
    EXPECT_FALSE(Download(missing));
    EXPECT_EQ(prompt.asked,
              (std::vector<std::string>{"chooser at " + current, "gate " + missing,
                                        "message " + std::string(strings::kDatabaseException)}));
    ExpectOnlyMessage(strings::kDatabaseException, MessageIcon::Stop);
    EXPECT_EQ(CuesReceived(), 2u);
}

TEST_F(DownloadQuestions, AStoreTheGateTurnsDownIsNeitherReadNorSent)
{
    OpenGated(false);
    const std::string store = MakeShowStore(dir, NumberedRows(2));
    EXPECT_FALSE(Download(store));
    EXPECT_EQ(prompt.asked, (std::vector<std::string>{"chooser at " + current, "gate " + store}));
    EXPECT_TRUE(host->Records().empty());
    EXPECT_EQ(ProgressText(), "");
}

TEST_F(DownloadDialog, EmptyShowEndsAtOneHundredWithNoCues)
{
    Open();
    EXPECT_TRUE(Download(MakeShowStore(dir, {})));
    EXPECT_EQ(Bar().value(), 100);
    EXPECT_EQ(ProgressText(), "downloaded：100％");
    EXPECT_EQ(EndText(), strings::kDownloadEnd);
    EXPECT_EQ(StatusLine(), "download total：0fire record...");
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(FramesOfKind(*host, DecodedFrame::kProjectName).size(), 1u);
}

TEST_F(DownloadDialog, ThreeCuesShowThirtyThreeSixtySixHundred)
{
    Open();
    EXPECT_TRUE(Download(MakeShowStore(dir, NumberedRows(3))));
    EXPECT_EQ(barValues, (std::vector<int>{33, 66, 100}));
    EXPECT_EQ(ProgressText(), "downloaded：100％");
    EXPECT_EQ(StatusLine(), "download total：3fire record...");
    EXPECT_EQ(CuesReceived(), 3u);
    EXPECT_FALSE(Button("buttonCancel").isVisible());
    EXPECT_TRUE(Button("buttonDownload").isEnabled());
}

TEST_F(DownloadDialog, HostSilentAtCueFiveOfTenStopsAtForty)
{
    Open({.silentFrom = 6}, 300ms); // frame 1 is the project name
    bool stillDownloadingDuringMessage = false;
    prompt.onMessage = [&] { stillDownloadingDuringMessage = dialog->IsWorking(); };
    EXPECT_FALSE(Download(MakeShowStore(dir, NumberedRows(10))));
    ExpectOnlyMessage(strings::kHostEchoTimeout, MessageIcon::Warning);
    EXPECT_EQ(Bar().value(), 40);
    EXPECT_EQ(ProgressText(), "downloaded：40％");
    EXPECT_EQ(EndText(), "");
    EXPECT_EQ(StatusLine(), "");
    // The message went up on the window's thread while the download waited.
    EXPECT_EQ(prompt.callsOffWindowThread, 0);
    EXPECT_TRUE(stillDownloadingDuringMessage);
}

// A second answer that hides a refusal fails the download in the dialog too,
// with no end text: every cue seemed acknowledged, but none can be trusted.
TEST_F(DownloadDialog, AHostAnsweringOneFrameTwiceIsNotCalledDone)
{
    Open({.refuseFrame = 3, .lateFrames = {{3, 100ms}}, .repeatedFrames = {{2, 30ms}}});
    EXPECT_FALSE(Download(MakeShowStore(dir, NumberedRows(2))));
    ExpectOnlyMessage(strings::kHostAnsweredTwice, MessageIcon::Warning);
    EXPECT_EQ(EndText(), "");
    EXPECT_EQ(StatusLine(), "");
}

TEST_F(DownloadDialog, CancelStopsTheDownloadAndTheNextOneStartsAfresh)
{
    Open({.replyDelay = 10ms});
    const std::string store = MakeShowStore(dir, NumberedRows(60));
    StartDownload(store, 10);
    EXPECT_TRUE(Button("buttonCancel").isVisible());
    EXPECT_FALSE(Button("buttonDownload").isEnabled());
    QSignalSpy finished(dialog.get(), &CDownloadDlg::DownloadFinished);
    Button("buttonCancel").click();
    ASSERT_TRUE(WaitUntil([&] { return finished.count() > 0; }));
    EXPECT_FALSE(finished.front().front().toBool());
    EXPECT_EQ(StatusLine(), strings::kCancelDownload);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_LT(CuesReceived(), 60u);
    EXPECT_TRUE(HostStaysQuiet());
    EXPECT_FALSE(Button("buttonCancel").isVisible());

    // The cancel flag is cleared when a download starts.
    EXPECT_TRUE(Download(MakeShowStore(dir, NumberedRows(3), "three.db")));
    EXPECT_EQ(StatusLine(), "download total：3fire record...");
}

TEST_F(DownloadDialog, SecondDownloadStartsFromTheFirstsFinalTexts)
{
    Open({.silentFrom = 7}, 300ms); // the second download's second cue
    ASSERT_TRUE(Download(MakeShowStore(dir, NumberedRows(3))));
    prompt.onMessage = [&] {
        // Nothing of the first download was cleared by the second.
        EXPECT_EQ(EndText(), strings::kDownloadEnd);
        EXPECT_EQ(StatusLine(), "download total：3fire record...");
    };
    EXPECT_FALSE(Download(MakeShowStore(dir, NumberedRows(4), "four.db")));
    EXPECT_EQ(barValues, (std::vector<int>{33, 66, 100, 25}));
    EXPECT_EQ(ProgressText(), "downloaded：25％");
    EXPECT_EQ(EndText(), strings::kDownloadEnd);
    EXPECT_EQ(StatusLine(), "download total：3fire record...");
    ExpectOnlyMessage(strings::kHostEchoTimeout, MessageIcon::Warning);
}

TEST_F(DownloadDialog, HostCodeIsReadAfterTheStoreIsChosen)
{
    Open({.address = "127.0.0.12"}, 2000ms, "127.0.0.%i");
    const std::string store = MakeShowStore(dir, NumberedRows(1));
    for (const char* code : {"0", "253", "abc"}) {
        SCOPED_TRACE(code);
        prompt.messages.clear();
        HostCode().setText(QString::fromUtf8(code));
        EXPECT_FALSE(Download(store));
        ExpectOnlyMessage(strings::kHostCodeOutOfRange, MessageIcon::Warning);
    }
    prompt.messages.clear();
    HostCode().clear();
    EXPECT_FALSE(Download(store));
    ExpectOnlyMessage(strings::kPleaseInputHostCode, MessageIcon::Warning);
    EXPECT_EQ(prompt.openChoices.size(), 4u) << "the store is chosen first every time";
    EXPECT_TRUE(host->Records().empty());

    // A leading blank or trailing letters still make host code 12.
    for (const char* code : {" 12", "12abc"}) {
        SCOPED_TRACE(code);
        HostCode().setText(QString::fromUtf8(code));
        EXPECT_TRUE(Download(store));
    }
    EXPECT_EQ(CuesReceived(), 2u);
    EXPECT_EQ(prompt.callsOffWindowThread, 0);
}

TEST_F(DownloadDialog, NetworkInitialFailureLeavesTheHostCodeEmpty)
{
    Open({}, 2000ms, "127.0.0.1", [] { return false; });
    ExpectOnlyMessage(strings::kNetworkInitialFailure, MessageIcon::Warning);
    EXPECT_EQ(Utf8(HostCode().text()), "");
    prompt.messages.clear();
    EXPECT_FALSE(Download(MakeShowStore(dir, NumberedRows(1))));
    EXPECT_EQ(prompt.openChoices.size(), 1u);
    ExpectOnlyMessage(strings::kPleaseInputHostCode, MessageIcon::Warning);
}

// Close, Esc and the close box during a download: the download is
// cancelled, the dialog closes only once it has stopped, and the host hears
// nothing more.
class ClosingDuringDownload : public DownloadDialog,
                              public ::testing::WithParamInterface<const char*>
{
protected:
    void CloseBy(const std::string& way)
    {
        if (way == "Close")
            Button("buttonClose").click();
        else if (way == "Esc")
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        else
            dialog->close();
    }
};

TEST_P(ClosingDuringDownload, CancelsAndWaitsForTheDownload)
{
    const std::string way = GetParam();
    Open({.replyDelay = 10ms});
    StartDownload(MakeShowStore(dir, NumberedRows(60)), 10);
    QSignalSpy finished(dialog.get(), &CDownloadDlg::DownloadFinished);
    CloseBy(way);
    EXPECT_TRUE(dialog->isVisible() || finished.count() > 0) << "closed under a running download";
    ASSERT_TRUE(WaitUntil([&] { return !dialog->isVisible(); }));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_FALSE(dialog->IsWorking());
    EXPECT_EQ(dialog->result(), way == "Close" ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(StatusLine(), strings::kCancelDownload);
    EXPECT_LT(CuesReceived(), 60u);
    EXPECT_TRUE(HostStaysQuiet());
}

INSTANTIATE_TEST_SUITE_P(ByEveryWay, ClosingDuringDownload,
                         ::testing::Values("Close", "Esc", "CloseBox"));

TEST_F(DownloadDialog, DialogDestroyedDuringADownloadStopsIt)
{
    Open({.replyDelay = 10ms});
    StartDownload(MakeShowStore(dir, NumberedRows(60)), 10);
    dialog.reset();
    EXPECT_LT(CuesReceived(), 60u);
    EXPECT_TRUE(HostStaysQuiet());
}

} // namespace

TEST(DownloadDialogWait, DialogDestroyedWhileASilentHostIsAwaitedGoesAtOnce)
{
    dialogtest::WindowThreadPrompt prompt;
    testsupport::TempDir dir;
    const auto host = StartHost({.silentFrom = 3});
    HostDialogOptions options;
    options.links = hostlink::EveryHostAt(LoopbackOptions(host->Port(), kHostTimeout));
    auto dialog = std::make_unique<CDownloadDlg>(prompt, nullptr, options);
    dialog->show();
    prompt.openFiles.push_back(MakeShowStore(dir, NumberedRows(5)));
    Child<QPushButton>(*dialog, "buttonDownload").click();
    ASSERT_TRUE(WaitUntil([&] { return host->Records().size() >= 3; }));
    const auto start = std::chrono::steady_clock::now();
    dialog.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
}

TEST_F(DownloadDialog, ADownloadIsRecordedAsBegunBeforeItsFramesAndCompletedAtItsEnd)
{
    Open({.replyDelay = 100ms});
    const std::string store = MakeShowStore(dir, NumberedRows(3));
    QSignalSpy finished(dialog.get(), &CDownloadDlg::DownloadFinished);
    prompt.openFiles.push_back(store);
    Button("buttonDownload").click();
    ExpectRecordedAsBegunThenCompleted(store, [&] { return finished.count() > 0; });
}

// Each download leaves its record in the store; one that cannot be written
// is said in the status line after the download's own text, and the
// download still counts as done.
TEST_F(DownloadDialog, RecordsWhatWasSentAndSaysWhenItCannot)
{
    Open();
    const std::string store = MakeShowStore(dir, NumberedRows(3));
    ASSERT_TRUE(Download(store));
    const std::vector<store::HostRecord> records = show::ReadHostRecords(store);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Sent, store::kSentShow);
    EXPECT_EQ(records[0].Acknowledged, 4);
    EXPECT_EQ(records[0].Port, host->Port());
    EXPECT_EQ(StatusLine(), "download total：3fire record...");

    // Another program's table of that name takes no record.
    const std::string other = MakeShowStore(dir, NumberedRows(3), "other.db");
    testsupport::RunSql(other, "CREATE TABLE tb_HostLoads(Something int)");
    EXPECT_TRUE(Download(other));
    EXPECT_EQ(EndText(), strings::kDownloadEnd);
    const std::string warning = strings::FormatText(strings::kHostRecordNotWritten, "");
    EXPECT_EQ(StatusLine().rfind("download total：3fire record...  " + warning, 0), 0u)
        << StatusLine();
    EXPECT_TRUE(prompt.messages.empty());
}
