#include "qtcommon/ShowCheckDlg.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "tests/editor/MainWindowFixture.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <functional>

namespace {

using editortest::Cue;

struct SeenDialog
{
    bool shown = false;
    QString title;
    QString store;
    QString summary;
    std::vector<std::array<QString, 3>> rows;
};

// Runs the command; `look` is shown the modal dialog it opens, whose Close
// button is pressed after.
void RunCheckCommand(QAction& action, const std::function<void(CShowCheckDlg&)>& look)
{
    // Its own timer: one that never fired must not outlive this call.
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&look] {
        auto* dialog = qobject_cast<CShowCheckDlg*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        look(*dialog);
        dialog->findChild<QPushButton*>(QStringLiteral("buttonClose"))->click();
    });
    timer.start(0);
    action.trigger();
}

// The same, reading what the dialog shows.
SeenDialog RunCheckCommand(QAction& action)
{
    SeenDialog seen;
    RunCheckCommand(action, [&seen](CShowCheckDlg& dialog) {
        seen.shown = true;
        seen.title = dialog.windowTitle();
        seen.store = dialog.findChild<QLabel*>(QStringLiteral("labelStore"))->text();
        seen.summary = dialog.findChild<QLabel*>(QStringLiteral("labelSummary"))->text();
        const auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("findings"));
        for (int r = 0; r < table->rowCount(); ++r)
            seen.rows.push_back(
                {table->item(r, 0)->text(), table->item(r, 1)->text(), table->item(r, 2)->text()});
    });
    return seen;
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

using ShowCheckWindow = editortest::MainWindow;

TEST_F(ShowCheckWindow, ChecksTheCurrentStoreAndListsItsFindings)
{
    show::Cue broken = Cue(3, "A1", -1500);
    broken.Addr = "7A";
    const std::string path = NewStore("show.db", {Cue(0, "HOST"), broken, Cue(5, "A1")});
    OpenStore(path);
    const SeenDialog seen = RunCheckCommand(Action("actionCheckShow"));
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, QString::fromUtf8(strings::kCheckTitle));
    EXPECT_EQ(seen.store, Q(path));
    ASSERT_EQ(seen.rows.size(), 3u);
    EXPECT_EQ(seen.rows[0][0], QString::fromUtf8(strings::kCheckError));
    EXPECT_EQ(seen.rows[0][1], QString::fromUtf8(strings::kCheckNegativeTime));
    EXPECT_EQ(seen.rows[0][2], QStringLiteral("3"));
    EXPECT_EQ(seen.rows[1][1], Q(strings::FormatText(strings::kCheckNotDecimal, "Sla", "7A", 7)));
    EXPECT_EQ(seen.rows[2][0], QString::fromUtf8(strings::kCheckWarning));
    EXPECT_EQ(seen.rows[2][2], QStringLiteral("0"));
    EXPECT_EQ(seen.summary, Q(strings::FormatText(strings::kCheckSummary, 3, 2, 1)));
    EXPECT_TRUE(prompt.openChoices.size() == 1) << "only Open asked for a file";
}

TEST_F(ShowCheckWindow, WithoutAStoreItAsksForOneAndKeepsTheWindowsPath)
{
    const std::string path = NewStore("clean.db", {Cue(0, "A1"), Cue(1, "B2")});
    prompt.openFiles.push_back(path);
    const SeenDialog seen = RunCheckCommand(Action("actionCheckShow"));
    ASSERT_TRUE(seen.shown);
    ASSERT_EQ(prompt.openChoices.size(), 1u);
    EXPECT_EQ(prompt.openChoices[0].filters.front().label, strings::kFilterShowStores);
    EXPECT_TRUE(seen.rows.empty());
    EXPECT_TRUE(seen.summary.contains(QString::fromUtf8(strings::kCheckNothingFound)));
    EXPECT_TRUE(window.CurrentStorePath().empty()) << "a check loads nothing";
    EXPECT_EQ(Grid().GetRowCount(), 1);
}

TEST_F(ShowCheckWindow, CancellingTheFileChoiceShowsNothing)
{
    prompt.openFiles.push_back(std::nullopt);
    const SeenDialog seen = RunCheckCommand(Action("actionCheckShow"));
    EXPECT_FALSE(seen.shown);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(ShowCheckWindow, AFileWithoutShowTableIsAnErrorAndNoList)
{
    const std::string path = dir.File("fireone.db");
    testsupport::MakeEmptySqliteFile(path);
    testsupport::RunSql(path, "CREATE TABLE FireData(Cue int)");
    prompt.openFiles.push_back(path);
    Action("actionCheckShow").trigger();
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kNoLayoutTable});
    EXPECT_EQ(prompt.messages.at(0).icon, prompt::MessageIcon::Stop);
}

// The check reads the show as the grid holds it, and a finding picked in its
// list selects its cues.
TEST_F(ShowCheckWindow, ChecksUnsavedNamesAndAPickedFindingSelectsItsCues)
{
    OpenStore(NewStore("show.db", {Cue(0, "A1"), Cue(1, "B2"), Cue(2, "C3")}));
    Grid().SetCellText(1, 1, " ");
    Grid().SetCellText(3, 1, " ");
    bool picked = false;
    RunCheckCommand(Action("actionCheckShow"), [&picked](CShowCheckDlg& dialog) {
        auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("findings"));
        picked = table->rowCount() == 1 &&
                 table->item(0, 1)->text() == QString::fromUtf8(strings::kCheckHostBlank);
        Q_EMIT table->itemActivated(table->item(0, 1));
    });
    EXPECT_TRUE(picked) << "the blank names are the grid's, not yet saved";
    ASSERT_EQ(Grid().GetSelectedRowCount(), 2);
    EXPECT_EQ(Grid().GetSelectedRowAt(0), 1);
    EXPECT_EQ(Grid().GetSelectedRowAt(1), 3);
}

} // namespace
