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

// A store of two cues, then changed by `sql`.
std::string TwoCuesAnd(const testsupport::TempDir& dir, const std::string& sql)
{
    const std::string store = MakeShowStore(dir, NumberedRows(2));
    testsupport::RunSql(store, sql);
    return store;
}

TEST(HostPlanDialog, TypedCodesAreSavedWholeOrNotAtAll)
{
    testsupport::TempDir dir;
    const std::string store =
        MakeShowStore(dir, NumberedRows(6, [](int flowId) { return flowId < 4 ? "A" : "B"; }));
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
    EXPECT_TRUE(show::ReadHostPlan(store).rows.empty()) << "nothing written";

    table.item(1, 2)->setText(QStringLiteral("6"));
    EXPECT_TRUE(dialog.OnSave());
    EXPECT_EQ(show::ReadHostPlan(store).entries,
              (std::vector<show::HostPlanEntry>{{"A", 5}, {"B", 6}}));
    EXPECT_EQ(prompt.MessageTexts().back(), strings::kPlanSaved);
}

// The plan's names follow the rules of `assign`: a name it refuses (one
// made elsewhere) is refused with its message, and blanks around one go.
TEST(HostPlanDialog, NamesFollowTheRulesOfAssign)
{
    testsupport::TempDir dir;
    const std::string store =
        TwoCuesAnd(dir, "UPDATE tb_Layout SET HostName = 'C' || char(9) || 'D' WHERE FlowID = 1");
    testsupport::RunSql(store, "CREATE TABLE tb_HostPlan(HostName, HostCode)");
    testsupport::RunSql(store, "INSERT INTO tb_HostPlan VALUES(' B ', 6)"); // an older version's
    dialogtest::WindowThreadPrompt prompt;
    CHostPlanDlg dialog(store, prompt);
    auto& table = dialogtest::Child<QTableWidget>(dialog, "plan");
    ASSERT_EQ(table.rowCount(), 3);
    ASSERT_EQ(table.item(1, 0)->text(), QStringLiteral("C\tD"));

    table.item(1, 2)->setText(QStringLiteral("7"));
    EXPECT_FALSE(dialog.OnSave());
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, strings::kAssignHostControlCharacter);
    EXPECT_EQ(prompt.messages[0].icon, prompt::MessageIcon::Warning);
    EXPECT_EQ(show::ReadHostPlan(store).rows.front().HostName, " B ") << "nothing written";

    table.item(1, 2)->setText(QString());
    EXPECT_TRUE(dialog.OnSave());
    EXPECT_EQ(show::ReadHostPlan(store).entries, (std::vector<show::HostPlanEntry>{{"B", 6}}));
    EXPECT_TRUE(dialog.OnSave()) << "the plan as saved is the one read";
}

TEST(HostPlanDialog, AFileWithoutAShowSaysSoAndPlansNothing)
{
    testsupport::TempDir dir;
    const std::string store = TwoCuesAnd(dir, "DROP TABLE tb_Layout");
    dialogtest::WindowThreadPrompt prompt;
    CHostPlanDlg dialog(store, prompt);
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kNoLayoutTable});
    EXPECT_FALSE(dialogtest::Child<QPushButton>(dialog, "buttonSave").isEnabled());
}

// A plan made elsewhere that breaks the rules: its problems are shown, its
// codes as stored, and the mended table is saved whole, but never over a plan
// another program changed since.
TEST(HostPlanDialog, ABadPlanIsShownForMendingAndSavedWholeOnceMended)
{
    testsupport::TempDir dir;
    const std::string store =
        MakeShowStore(dir, NumberedRows(4, [](int flowId) { return flowId < 2 ? "A" : "B"; }));
    testsupport::RunSql(store, "CREATE TABLE tb_HostPlan(HostName, HostCode)");
    testsupport::RunSql(store, "INSERT INTO tb_HostPlan VALUES('A', 'five'), ('B', 5), ('B', 6)");
    dialogtest::WindowThreadPrompt prompt;
    CHostPlanDlg dialog(store, prompt);
    ASSERT_EQ(prompt.MessageTexts().size(), 1u);
    EXPECT_EQ(prompt.MessageTexts()[0],
              strings::FormatText(strings::kPlanUnsound, 2) + "\n" +
                  strings::FormatText(strings::kPlanProblemCodeInvalid, "A", "'five'") + "\n" +
                  strings::FormatText(strings::kPlanProblemNameTwice, "B"));
    auto& table = dialogtest::Child<QTableWidget>(dialog, "plan");
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.item(0, 2)->text(), QStringLiteral("five"));
    EXPECT_EQ(table.item(1, 2)->text(), QStringLiteral("5"));

    table.item(0, 2)->setText(QStringLiteral("7"));
    EXPECT_TRUE(dialog.OnSave());
    EXPECT_EQ(show::ReadHostPlanChecked(store),
              (std::vector<show::HostPlanEntry>{{"B", 5}, {"A", 7}}));

    show::ChangeHostPlan(store, {{"C", 9}}, {}); // another program, meanwhile
    table.item(0, 2)->setText(QStringLiteral("3"));
    EXPECT_FALSE(dialog.OnSave()) << "the other program's change is not undone";
    EXPECT_EQ(prompt.MessageTexts().back(), strings::kPlanChanged);
    EXPECT_EQ(show::ReadHostPlanChecked(store),
              (std::vector<show::HostPlanEntry>{{"B", 5}, {"A", 7}, {"C", 9}}));
}

TEST(HostPlanDialog, APlanThatCannotBeReadCannotBeSavedOver)
{
    testsupport::TempDir dir;
    const std::string store = TwoCuesAnd(dir, "CREATE TABLE tb_HostPlan(HostName, Code)");
    dialogtest::WindowThreadPrompt prompt;
    CHostPlanDlg dialog(store, prompt);
    ASSERT_EQ(prompt.MessageTexts().size(), 1u);
    EXPECT_EQ(prompt.MessageTexts()[0].rfind(strings::FormatText(strings::kPlanReadFailed, ""), 0),
              0u);
    EXPECT_FALSE(dialogtest::Child<QPushButton>(dialog, "buttonSave").isEnabled());
}

TEST(HostPlanDialog, HostStateSaysWhatEachPlannedHostHolds)
{
    testsupport::TempDir dir;
    const std::string store = MakeShowStore(dir, NumberedRows(6, [](int flowId) {
                                                return flowId < 3 ? "A" : flowId < 5 ? "B" : "C";
                                            }));
    show::ChangeHostPlan(store, {{"A", 5}, {"B", 6}}, {});
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
