// The Load All Hosts dialog, offscreen, against virtual hosts on loopback.
#include "hostlink/ui/LoadAllHostsDlg.h"

#include "qtcommon/ShowCheckDlg.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostPlan.h"
#include "show/HostStates.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/hostlink/ui/DialogTestSupport.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

using namespace hostlink;
using namespace hostlinktest;
using dialogtest::WaitUntil;

namespace {

class LoadAllHostsDialog : public ::testing::Test
{
protected:
    // Two host names, hosts 5 and 6 on loopback with these faults.
    void Open(std::vector<VirtualHostOptions> faults, std::chrono::milliseconds wait,
              std::vector<show::HostPlanEntry> plan = {{"A", 5}, {"B", 6}},
              bool checkErrors = false)
    {
        std::vector<StoreRow> rows = NumberedRows(10);
        for (StoreRow& row : rows) { // a show the check passes
            row.HostName = row.FlowID % 2 == 0 ? "A" : "B";
            row.Addr = "1";
            row.Channel = std::to_string(row.FlowID);
        }
        if (checkErrors)
            rows[4].Channel = rows[2].Channel; // one firing point of host A used twice
        store = MakeShowStore(dir, rows);
        show::ChangeHostPlan(store, plan, {});
        if (before)
            before(store);
        for (const VirtualHostOptions& fault : faults)
            hosts.push_back(StartHost(fault));
        options.links = [this, wait](int code) {
            return LoopbackOptions(hosts.at(static_cast<std::size_t>(code - 5))->Port(), wait);
        };
        dialog = std::make_unique<CLoadAllHostsDlg>(store, prompt, nullptr, options);
        dialog->show();
    }

    QTableWidgetItem& Cell(int row, const char* column)
    {
        auto& table = dialogtest::Child<QTableWidget>(*dialog, "hosts");
        for (int c = 0; c < table.columnCount(); ++c)
            if (table.horizontalHeaderItem(c)->text() == QString::fromUtf8(column))
                return *table.item(row, c);
        throw std::runtime_error(std::string("no column ") + column);
    }
    std::string HostState(int row)
    {
        return Cell(row, strings::kHostStateColumn).text().toStdString();
    }

    testsupport::TempDir dir;
    std::string store;
    std::function<void(const std::string& store)> before; // what the store holds at opening
    HostDialogOptions options;
    dialogtest::WindowThreadPrompt prompt;
    std::vector<std::unique_ptr<VirtualFiringHost>> hosts;
    std::unique_ptr<CLoadAllHostsDlg> dialog;
};

} // namespace

TEST_F(LoadAllHostsDialog, LoadsEveryHostAndSaysSo)
{
    Open({{}, {}}, 2000ms);
    QSignalSpy finished(dialog.get(), &CLoadAllHostsDlg::LoadFinished);
    ASSERT_TRUE(dialog->OnStart());
    ASSERT_TRUE(WaitUntil([&] { return finished.count() > 0; }));
    EXPECT_TRUE(finished.front().front().toBool());
    for (const auto& host : hosts)
        EXPECT_EQ(host->Records().size(), 12u); // its name, the project name, ten cues
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(LoadAllHostsDialog, EveryConversationIsRecordedAsBegunThenCompleted)
{
    Open({{.replyDelay = 20ms}, {.replyDelay = 20ms}}, 2000ms);
    QSignalSpy finished(dialog.get(), &CLoadAllHostsDlg::LoadFinished);
    ASSERT_TRUE(dialog->OnStart());
    dialogtest::ExpectRecordedAsBegunThenCompleted(
        store, [&] { return finished.count() > 0; }, 4); // a name and a show each
}

TEST_F(LoadAllHostsDialog, HostNameWithoutACodeSendsNothing)
{
    Open({{}, {}}, 2000ms, {{"A", 5}});
    EXPECT_FALSE(dialog->OnStart());
    EXPECT_EQ(prompt.MessageTexts(),
              std::vector<std::string>{strings::FormatText(strings::kFieldUnplanned, "B")});
    for (const auto& host : hosts)
        EXPECT_TRUE(host->Records().empty());
}

// Starts the load while the show check's findings are up, and presses
// `button` there; what the findings list showed.
struct SeenCheck
{
    bool shown = false;
    int findings = 0;
    QString anyway;
    QString cancel;
    bool cancelIsDefault = false;
};
SeenCheck StartThroughTheCheck(CLoadAllHostsDlg& dialog, const char* button, bool& started)
{
    SeenCheck seen;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* check = qobject_cast<CShowCheckDlg*>(QApplication::activeModalWidget());
        if (!check)
            return;
        seen.shown = true;
        seen.findings = dialogtest::Child<QTableWidget>(*check, "findings").rowCount();
        seen.anyway = dialogtest::Child<QPushButton>(*check, "buttonLoadAnyway").text();
        auto& cancel = dialogtest::Child<QPushButton>(*check, "buttonClose");
        seen.cancel = cancel.text();
        seen.cancelIsDefault = cancel.isDefault();
        dialogtest::Child<QPushButton>(*check, button).click();
    });
    timer.start(0);
    started = dialog.OnStart();
    return seen;
}

TEST_F(LoadAllHostsDialog, CheckErrorsAreListedAndCancelTheDefaultSendsNothing)
{
    Open({{}, {}}, 2000ms, {{"A", 5}, {"B", 6}}, true);
    bool started = true;
    const SeenCheck seen = StartThroughTheCheck(*dialog, "buttonClose", started);
    ASSERT_TRUE(seen.shown);
    EXPECT_GE(seen.findings, 1);
    EXPECT_EQ(seen.anyway, QString::fromUtf8(strings::kCheckLoadAnyway));
    EXPECT_EQ(seen.cancel, QString::fromUtf8(strings::kCheckCancel));
    EXPECT_TRUE(seen.cancelIsDefault);
    EXPECT_FALSE(started);
    EXPECT_FALSE(dialog->IsWorking());
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_TRUE(prompt.questions.empty());
    for (const auto& host : hosts)
        EXPECT_TRUE(host->Records().empty()) << "Cancel sends nothing";
}

TEST_F(LoadAllHostsDialog, LoadAnywayLoadsEveryHost)
{
    Open({{}, {}}, 2000ms, {{"A", 5}, {"B", 6}}, true);
    QSignalSpy finished(dialog.get(), &CLoadAllHostsDlg::LoadFinished);
    bool started = false;
    ASSERT_TRUE(StartThroughTheCheck(*dialog, "buttonLoadAnyway", started).shown);
    ASSERT_TRUE(started);
    ASSERT_TRUE(WaitUntil([&] { return finished.count() > 0; }));
    EXPECT_TRUE(finished.front().front().toBool());
    for (const auto& host : hosts)
        EXPECT_EQ(host->Records().size(), 12u);
}

TEST_F(LoadAllHostsDialog, CancelAndClosingStopSilentHostsAtOnce)
{
    Open({{.silentFrom = 1}, {.silentFrom = 3}}, kHostTimeout);
    QSignalSpy finished(dialog.get(), &CLoadAllHostsDlg::LoadFinished);
    ASSERT_TRUE(dialog->OnStart());
    ASSERT_TRUE(hosts[1]->WaitForFrames(3, 3000ms));
    const auto start = std::chrono::steady_clock::now();
    dialogtest::Child<QPushButton>(*dialog, "buttonCancel").click();
    ASSERT_TRUE(WaitUntil([&] { return finished.count() > 0; }, 2000ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_FALSE(finished.front().front().toBool());

    ASSERT_TRUE(dialog->OnStart());                  // again, then the dialog goes mid-wait
    ASSERT_TRUE(hosts[1]->WaitForFrames(4, 3000ms)); // its name again, unanswered
    const auto closing = std::chrono::steady_clock::now();
    dialog.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - closing, 500ms);
}

TEST_F(LoadAllHostsDialog, HostStateSaysWhatEachHostHoldsInFull)
{
    before = [](const std::string& path) { RecordFailedFieldLoad(path, 5, "A", 5); };
    Open({{}, {}}, 2000ms);
    EXPECT_EQ(HostState(0), "failed at frame 6 of 11");
    EXPECT_EQ(HostState(1), strings::kHostStateNever);
    auto& table = dialogtest::Child<QTableWidget>(*dialog, "hosts");
    const QTableWidgetItem& failed = Cell(0, strings::kHostStateColumn);
    EXPECT_GE(table.columnWidth(failed.column()),
              table.fontMetrics().horizontalAdvance(failed.text()))
        << "not cut off";
    EXPECT_EQ(failed.toolTip(), failed.text());

    // A rehearsal on loopback is recorded but changes no host's state.
    QSignalSpy finished(dialog.get(), &CLoadAllHostsDlg::LoadFinished);
    ASSERT_TRUE(dialog->OnStart());
    ASSERT_TRUE(WaitUntil([&] { return finished.count() > 0; }));
    EXPECT_EQ(show::ReadHostRecords(store).size(), 6u); // two at the field, four here
    EXPECT_EQ(HostState(0), "failed at frame 6 of 11");
    EXPECT_EQ(HostState(1), strings::kHostStateNever);
}

TEST_F(LoadAllHostsDialog, LoadStaleHostsLoadsOnlyThoseNotCurrent)
{
    before = [](const std::string& path) { RecordFieldLoad(path, 5, "A"); };
    Open({{}, {}}, 2000ms);
    EXPECT_EQ(HostState(0), strings::kHostStateCurrent);
    QSignalSpy finished(dialog.get(), &CLoadAllHostsDlg::LoadFinished);
    dialogtest::Child<QPushButton>(*dialog, "buttonStale").click();
    ASSERT_TRUE(WaitUntil([&] { return finished.count() > 0; }));
    EXPECT_TRUE(finished.front().front().toBool());
    EXPECT_TRUE(hosts[0]->Records().empty()) << "host 5 holds the show already";
    EXPECT_EQ(hosts[1]->Records().size(), 12u);
    EXPECT_EQ(Cell(0, strings::kFieldColumnState).text(), QString());
    EXPECT_EQ(Cell(1, strings::kFieldColumnState).text(), QString::fromUtf8(strings::kFieldDone));

    RecordFieldLoad(store, 6, "B");
    EXPECT_FALSE(dialog->OnStartStale());
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kFieldNoneStale});
    EXPECT_EQ(hosts[1]->Records().size(), 12u) << "nothing is sent";
}

TEST_F(LoadAllHostsDialog, ClosingWhileLoadingAsksFirst)
{
    Open({{.silentFrom = 1}, {.silentFrom = 3}}, kHostTimeout);
    QSignalSpy finished(dialog.get(), &CLoadAllHostsDlg::LoadFinished);
    ASSERT_TRUE(dialog->OnStart());
    ASSERT_TRUE(hosts[1]->WaitForFrames(3, 3000ms));
    // Host 6's name is heard out (its end wait) while its show waits on cue 1.
    WaitUntil([] { return false; }, LoopbackOptions(0).endWait + 100ms);
    prompt.answers = {false};
    dialogtest::Child<QPushButton>(*dialog, "buttonClose").click();
    EXPECT_EQ(prompt.questions, std::vector<std::string>{strings::kLoadAllCloseQuestion});
    EXPECT_TRUE(dialog->IsWorking()) << "No: the load goes on";
    EXPECT_TRUE(dialog->isVisible());

    prompt.answers = {true};
    dialog->close(); // the title bar's close box
    ASSERT_TRUE(WaitUntil([&] { return finished.count() > 0; }, 2000ms));
    EXPECT_FALSE(dialog->isVisible());
    const std::vector<store::HostRecord> records = show::ReadHostRecords(store);
    ASSERT_EQ(records.size(), 3u); // host 5's name; host 6's name and its show
    for (const store::HostRecord& record : records) {
        const bool stopped = record.HostCode == 5 || record.Sent == store::kSentShow;
        EXPECT_EQ(record.Outcome, stopped ? store::kOutcomeCancelled : store::kOutcomeCompleted)
            << record.HostCode << " " << record.Sent;
    }
}

// The dialog starts the socket layer when it opens and its Close button gives
// it back, once; Esc and the close box leave that to the dialog's end.
TEST_F(LoadAllHostsDialog, StartsTheSocketLayerAndCloseReleasesIt)
{
    int starts = 0;
    int releases = 0;
    options.startSocketLayer = [&starts] { return ++starts > 0; };
    options.releaseSocketLayer = [&releases] { ++releases; };
    Open({{}, {}}, 2000ms);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(releases, 0);
    dialogtest::Child<QPushButton>(*dialog, "buttonClose").click();
    EXPECT_EQ(releases, 1);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    dialog.reset();
    EXPECT_EQ(releases, 1) << "given back once";
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(LoadAllHostsDialog, WithoutTheSocketLayerItShowsTheHostsAndLoadsNone)
{
    int releases = 0;
    options.startSocketLayer = [] { return false; };
    options.releaseSocketLayer = [&releases] { ++releases; };
    Open({{}, {}}, 2000ms);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, strings::kNetworkInitialFailure);
    EXPECT_EQ(prompt.messages[0].icon, prompt::MessageIcon::Warning);
    EXPECT_EQ(HostState(0), strings::kHostStateNever);
    EXPECT_FALSE(dialogtest::Child<QPushButton>(*dialog, "buttonStart").isEnabled());
    EXPECT_FALSE(dialogtest::Child<QPushButton>(*dialog, "buttonStale").isEnabled());
    EXPECT_FALSE(dialog->OnStart());
    for (const auto& host : hosts)
        EXPECT_TRUE(host->Records().empty());
    dialogtest::Child<QPushButton>(*dialog, "buttonClose").click();
    dialog.reset();
    EXPECT_EQ(releases, 0) << "nothing started, nothing given back";
}

TEST_F(LoadAllHostsDialog, CloseDuringALoadAsksOnceThenClosesWhenStopped)
{
    int releases = 0;
    options.releaseSocketLayer = [&releases] { ++releases; };
    Open({{.silentFrom = 1}, {.silentFrom = 1}}, kHostTimeout);
    QSignalSpy finished(dialog.get(), &CLoadAllHostsDlg::LoadFinished);
    ASSERT_TRUE(dialog->OnStart());
    ASSERT_TRUE(hosts[0]->WaitForFrames(1, 3000ms));
    prompt.answers = {true};
    auto& close = dialogtest::Child<QPushButton>(*dialog, "buttonClose");
    close.click();
    close.click(); // stopping already: no second question
    EXPECT_EQ(prompt.questions, std::vector<std::string>{strings::kLoadAllCloseQuestion});
    ASSERT_TRUE(WaitUntil([&] { return finished.count() > 0; }, 2000ms));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted) << "closed by its button";
    EXPECT_EQ(releases, 1);
}
