// The window on its show: a filtered or sorted view, names refused as they
// are typed, the views that follow the show, and Save beside another program.
#include "editor/ui/CueFilterBar.h"
#include "editor/ui/DesignerTools.h"
#include "editor/ui/HostEditHistory.h"
#include "editor/ui/TimelineView.h"
#include "editor/ui/TimelineWindow.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "tests/editor/MainWindowFixture.h"
#include "tests/support/TempDir.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

using editortest::Cue;
using editortest::HostNames;

// Twenty cues of North-1 between twenty of South-2, as a designer left them.
std::vector<show::Cue> TwoHosts()
{
    std::vector<show::Cue> cues;
    for (int i = 0; i < 40; ++i)
        cues.push_back(Cue(i, i % 2 ? "North-1" : "South-2", i * 100));
    return cues;
}

class ShowModelWindow : public editortest::MainWindow
{
protected:
    editor::CDesignerTools& Tools() { return window.DesignerTools(); }

    void Filter(const char* text) { Tools().FilterBar().Field().setText(QString::fromUtf8(text)); }

    void AssignToSelection(const char* name)
    {
        prompt.answers.push_back(true);
        WhenOpened(
            [name](QWidget* dialog) { TypeAndPress(dialog, QString::fromUtf8(name), "buttonOk"); });
        Action("actionAssignHost").trigger();
    }
};

TEST_F(ShowModelWindow, AssigningUnderAFilterReachesEverySelectedCueAndNoOther)
{
    const std::string path = NewStore("two.db", TwoHosts());
    OpenStore(path);
    Filter("north-1");
    ASSERT_EQ(Grid().ShownCueRows(), 20);
    Grid().selectAll();
    AssignToSelection("Renamed");
    EXPECT_EQ(Grid().ShownCueRows(), 0) << "no cue passes the filter now";
    for (int row = 1; row <= 40; ++row)
        EXPECT_EQ(HostCell(row), row % 2 ? "South-2" : "Renamed") << "row " << row;
    EXPECT_EQ(Tools().History().Stack().undoText(),
              QString::fromUtf8(strings::FormatText(strings::kUndoAssignHost, "Renamed", 20)));
    Action("actionSave").trigger();
    const std::vector<std::string> stored = HostNames(path);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), "Renamed"), 20);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), "South-2"), 20);
}

TEST_F(ShowModelWindow, ASortedViewIsAssignedAndSavedByItsCuesNotItsRows)
{
    const std::string path = NewStore("five.db");
    OpenStore(path);
    // Latest first: row 3 (01:02:03.004), then row 5 (01:00:00.000).
    Grid().horizontalHeader()->setSortIndicator(2, Qt::DescendingOrder);
    ASSERT_EQ(Grid().GridRowOf(Grid().model()->index(0, 0)), 3);
    SelectRows({1, 2});
    ASSERT_EQ(Grid().GetSelectedRowCount(), 2);
    EXPECT_EQ(Grid().GetSelectedRowAt(0), 3) << "store-order rows, ascending";
    EXPECT_EQ(Grid().GetSelectedRowAt(1), 5);
    AssignToSelection("Late");
    Action("actionSave").trigger();
    EXPECT_EQ(HostNames(path), (std::vector<std::string>{"HOST", "A1", "Late", "HOST", "Late"}));
    Grid().horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    EXPECT_EQ(Grid().GridRowOf(Grid().model()->index(0, 0)), 1) << "back to store order";
}

TEST_F(ShowModelWindow, ANameTheStoreCannotHoldIsRefusedAsItIsTyped)
{
    OpenStore(NewStore("five.db"));
    const std::string tooLong(33, 'L');
    EXPECT_FALSE(
        Grid().model()->setData(Grid().ViewIndexOf(2, 1), QString::fromStdString(tooLong)));
    EXPECT_FALSE(Grid().model()->setData(Grid().ViewIndexOf(2, 1), QStringLiteral("Hôst😀")));
    EXPECT_EQ(prompt.MessageTexts(),
              (std::vector<std::string>{strings::FormatText(strings::kHostNameTooLong, 32),
                                        strings::FormatText(strings::kHostNameNotGbk, "Hôst😀")}));
    EXPECT_EQ(HostCell(2), "A1");
    EXPECT_FALSE(window.HasUnsavedHostNames());

    prompt.messages.clear();
    SelectRows({1});
    prompt.answers.push_back(true);
    bool stayedOpen = false;
    WhenOpened([&](QWidget* dialog) {
        TypeAndPress(dialog, QString::fromStdString(tooLong), "buttonOk");
        stayedOpen = dialog->isVisible();
        TypeAndPress(dialog, QStringLiteral("North-1"), "buttonOk");
    });
    Action("actionAssignHost").trigger();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(prompt.MessageTexts(),
              std::vector<std::string>{strings::FormatText(strings::kHostNameTooLong, 32)});
    EXPECT_EQ(HostCell(1), "North-1");
    prompt.messages.clear();
    Action("actionSave").trigger();
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kSaveDone})
        << "a refused name never blocks a later Save";
}

TEST_F(ShowModelWindow, SaveRefusesANameAnotherProgramChangedAndKeepsTheWindowsNames)
{
    const std::string path = NewStore("five.db");
    OpenStore(path);
    testsupport::RunSql(path, "UPDATE tb_Layout SET HostName = 'Other' WHERE FlowID = 0");
    Grid().SetCellText(2, 1, "Mine"); // FlowID 0 is the second cue
    Action("actionSave").trigger();
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kSaveStoreChanged});
    EXPECT_EQ(HostNames(path)[1], "Other") << "nothing written";
    EXPECT_TRUE(window.HasUnsavedHostNames());
    EXPECT_EQ(HostCell(2), "Mine");

    // The other program's name is no loss when this window writes the same;
    // its change of a cue this window left alone stays, and the grid shows
    // it after the Save.
    prompt.messages.clear();
    Grid().SetCellText(2, 1, "Other");
    testsupport::RunSql(path, "UPDATE tb_Layout SET HostName = 'Theirs' WHERE FlowID = 2");
    Grid().SetCellText(4, 1, "Mine"); // FlowID 1
    Action("actionSave").trigger();
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kSaveDone});
    EXPECT_EQ(HostNames(path),
              (std::vector<std::string>{"HOST", "Other", "北岸-1", "Mine", "Theirs"}));
    EXPECT_EQ(HostCell(5), "Theirs");
    EXPECT_FALSE(window.HasUnsavedHostNames());
}

TEST_F(ShowModelWindow, SaveRefusesAStoreWhoseCuesMovedUnderTheSameCount)
{
    const std::string path = NewStore("five.db");
    OpenStore(path);
    testsupport::RunSql(path, "UPDATE tb_Layout SET BlastTime = BlastTime + 1 WHERE FlowID = 7");
    Grid().SetCellText(1, 1, "N1");
    Action("actionSave").trigger();
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kSaveStoreChanged});
    EXPECT_EQ(HostNames(path)[0], "HOST");
}

TEST_F(ShowModelWindow, TheTimelineAndTheStatusBarFollowTheShowAsItIsEdited)
{
    OpenStore(NewStore("five.db"));
    Action("actionTimeline").trigger();
    editor::CTimelineWindow* timeline = Tools().Timeline();
    ASSERT_NE(timeline, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(timeline));
    ASSERT_EQ(timeline->View().Timeline().lanes.size(), 4u);
    Grid().SetCellText(1, 1, "Z9");
    QTest::qWait(20);
    const auto& lanes = timeline->View().Timeline().lanes;
    EXPECT_EQ(lanes.size(), 5u);
    EXPECT_TRUE(std::any_of(lanes.begin(), lanes.end(),
                            [](const show::TimelineLane& lane) { return lane.host == "Z9"; }));
    QTest::keyClick(timeline, Qt::Key_Escape);
    EXPECT_FALSE(timeline->isVisible()) << "Esc closes the timeline";
    QApplication::processEvents();
    const auto* counts = window.findChild<QLabel*>(QStringLiteral("statusCounts"));
    ASSERT_NE(counts, nullptr);
    EXPECT_EQ(counts->text().toStdString(), strings::FormatText(strings::kStatusCounts, 5, 5));
}

TEST_F(ShowModelWindow, EscClearsTheFilter)
{
    OpenStore(NewStore("five.db"));
    Filter("host");
    ASSERT_EQ(Grid().ShownCueRows(), 2);
    QApplication::setActiveWindow(&window);
    Grid().setFocus();
    QTest::keyClick(&Grid(), Qt::Key_Escape);
    EXPECT_EQ(Grid().ShownCueRows(), 5);
    EXPECT_TRUE(window.isVisible()) << "Esc never closes the window";
}

} // namespace
