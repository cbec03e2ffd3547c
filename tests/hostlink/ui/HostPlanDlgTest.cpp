// The Host Plan dialog, offscreen: codes typed into its table are saved all
// or nothing, with their address shown beside them.
#include "hostlink/ui/HostPlanDlg.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostPlan.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/hostlink/ui/DialogTestSupport.h"

#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace hostlinktest;

namespace {

TEST(HostPlanDialog, TypedCodesAreSavedWholeOrNotAtAll)
{
    testsupport::TempDir dir;
    std::vector<StoreRow> rows = NumberedRows(6);
    for (StoreRow& row : rows)
        row.HostName = row.FlowID < 4 ? "A" : "B";
    const std::string store = MakeShowStore(dir, rows);
    dialogtest::WindowThreadPrompt prompt;
    CHostPlanDlg dialog(store, prompt);
    auto& table = dialogtest::Child<QTableWidget>(dialog, "plan");
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.item(0, 0)->text(), QStringLiteral("A"));
    EXPECT_EQ(table.item(0, 1)->text(), QStringLiteral("4"));

    table.item(0, 2)->setText(QStringLiteral("5"));
    EXPECT_EQ(table.item(0, 3)->text(), QStringLiteral("192.168.10.5"));
    table.item(1, 2)->setText(QStringLiteral("5"));
    EXPECT_FALSE(dialog.OnSave()) << "two host names on one code";
    EXPECT_TRUE(show::LoadHostPlan(store).entries.empty()) << "nothing written";

    table.item(1, 2)->setText(QStringLiteral("6"));
    EXPECT_TRUE(dialog.OnSave());
    EXPECT_EQ(show::LoadHostPlan(store).entries,
              (std::vector<show::HostPlanEntry>{{"A", 5}, {"B", 6}}));
    EXPECT_EQ(prompt.MessageTexts().back(), strings::kPlanSaved);
}

TEST(HostPlanDialog, AFileWithoutAShowSaysSoAndPlansNothing)
{
    testsupport::TempDir dir;
    const std::string store = MakeShowStore(dir, NumberedRows(2));
    testsupport::RunSql(store, "DROP TABLE tb_Layout");
    dialogtest::WindowThreadPrompt prompt;
    CHostPlanDlg dialog(store, prompt);
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kNoLayoutTable});
    EXPECT_FALSE(dialogtest::Child<QPushButton>(dialog, "buttonSave").isEnabled());
}

TEST(HostPlanDialog, HostStateSaysWhatEachPlannedHostHolds)
{
    testsupport::TempDir dir;
    std::vector<StoreRow> rows = NumberedRows(6);
    for (StoreRow& row : rows)
        row.HostName = row.FlowID < 3 ? "A" : row.FlowID < 5 ? "B" : "C";
    const std::string store = MakeShowStore(dir, rows);
    ASSERT_EQ(show::SaveHostPlan(store, {{"A", 5}, {"B", 6}}), "");
    RecordFieldLoad(store, 5, "A");
    RecordFailedFieldLoad(store, 6, "B", 3);
    dialogtest::WindowThreadPrompt prompt;
    CHostPlanDlg dialog(store, prompt);
    auto& table = dialogtest::Child<QTableWidget>(dialog, "plan");
    ASSERT_EQ(table.columnCount(), 5);
    EXPECT_EQ(table.horizontalHeaderItem(4)->text(), QString::fromUtf8(strings::kHostStateColumn));
    EXPECT_EQ(table.item(0, 4)->text(), QString::fromUtf8(strings::kHostStateCurrent));
    EXPECT_EQ(table.item(1, 4)->text(), QStringLiteral("failed at frame 4 of 7"));
    EXPECT_EQ(table.item(2, 4)->text(), QString()) << "C is not planned";

    table.item(2, 2)->setText(QStringLiteral("7"));
    ASSERT_TRUE(dialog.OnSave());
    EXPECT_EQ(table.item(2, 4)->text(), QString::fromUtf8(strings::kHostStateNever));
    EXPECT_TRUE(prompt.offThread == 0);
}

} // namespace
