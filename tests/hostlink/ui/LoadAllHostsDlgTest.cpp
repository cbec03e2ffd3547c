// The Load All Hosts dialog, offscreen, against virtual hosts on loopback.
#include "hostlink/ui/LoadAllHostsDlg.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostPlan.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/hostlink/ui/DialogTestSupport.h"

#include <QPushButton>
#include <QSignalSpy>
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
              std::vector<show::HostPlanEntry> plan = {{"A", 5}, {"B", 6}})
    {
        std::vector<StoreRow> rows = NumberedRows(10);
        for (StoreRow& row : rows) { // a show the check passes
            row.HostName = row.FlowID % 2 == 0 ? "A" : "B";
            row.Addr = "1";
            row.Channel = std::to_string(row.FlowID);
        }
        const std::string store = MakeShowStore(dir, rows);
        show::ChangeHostPlan(store, plan, {});
        for (const VirtualHostOptions& fault : faults)
            hosts.push_back(StartHost(fault));
        dialog = std::make_unique<CLoadAllHostsDlg>(store, prompt, nullptr, [this, wait](int code) {
            return LoopbackOptions(hosts.at(static_cast<std::size_t>(code - 5))->Port(), wait);
        });
        dialog->show();
    }

    testsupport::TempDir dir;
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

TEST_F(LoadAllHostsDialog, HostNameWithoutACodeSendsNothing)
{
    Open({{}, {}}, 2000ms, {{"A", 5}});
    EXPECT_FALSE(dialog->OnStart());
    EXPECT_EQ(prompt.MessageTexts(),
              std::vector<std::string>{strings::FormatText(strings::kFieldUnplanned, "B")});
    for (const auto& host : hosts)
        EXPECT_TRUE(host->Records().empty());
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
