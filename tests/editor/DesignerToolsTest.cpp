// The designer's tools in the real window: undo and redo of host names, the
// filter bar under Save, assignment by range and the timeline.
#include "editor/ui/DesignerTools.h"

#include "editor/ui/AssignByRangeDlg.h"
#include "editor/ui/AssignHostDlg.h"
#include "editor/ui/CueFilterBar.h"
#include "editor/ui/HostEditHistory.h"
#include "editor/ui/ShowTableModel.h"
#include "editor/ui/TimelineView.h"
#include "editor/ui/TimelineWindow.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostColours.h"
#include "tests/editor/MainWindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

using editortest::HostNames;

class DesignerTools : public editortest::MainWindow
{
protected:
    editor::CDesignerTools& Tools() { return window.DesignerTools(); }
    QUndoStack& Stack() { return Tools().History().Stack(); }

    // What the range dialog is given before its OK, run when it opens.
    void RunRangeDialog(std::function<void(CAssignByRangeDlg&)> fill)
    {
        QTimer::singleShot(0, [fill] {
            auto* dialog = qobject_cast<CAssignByRangeDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            fill(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        Action("actionAssignByRange").trigger();
    }

    static void PressOK(CAssignByRangeDlg& dialog)
    {
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }
};

TEST_F(DesignerTools, UndoAndRedoEveryHostChangeBackToTheSavedNames)
{
    OpenStore(NewStore("show.db"));
    const std::vector<std::string> saved = {"HOST", "A1", "北岸-1", "HOST", "B2"};
    QSignalSpy cellChanges(&Grid().CueModel(), &QAbstractItemModel::dataChanged);
    EXPECT_FALSE(Stack().canUndo());

    // in place, as the grid's editor writes it
    Grid().model()->setData(Grid().ViewIndexOf(2, 1), QStringLiteral("Z9"));
    EXPECT_EQ(Action("actionUndo").text(), QStringLiteral("&Undo Edit Host of row 2 to Z9"));
    EXPECT_TRUE(window.HasUnsavedHostNames());
    // by range: Sla 4-7 are grid rows 1 and 3
    RunRangeDialog([](CAssignByRangeDlg& dialog) {
        dialog.ModulesField().setText(QStringLiteral("4-7"));
        EXPECT_EQ(dialog.CountText(), QStringLiteral("2 of 5 cues match"));
        dialog.HostNameField().setText(QStringLiteral("R1"));
        PressOK(dialog);
    });
    EXPECT_EQ(HostCell(1), "R1");
    EXPECT_EQ(HostCell(3), "R1");
    EXPECT_EQ(Action("actionUndo").text(),
              QStringLiteral("&Undo Assign Host by Range R1 (2 cues)"));

    Action("actionUndo").trigger();
    EXPECT_EQ(HostCell(1), "HOST");
    EXPECT_EQ(HostCell(3), "北岸-1");
    EXPECT_EQ(Action("actionRedo").text(),
              QStringLiteral("&Redo Assign Host by Range R1 (2 cues)"));
    Action("actionUndo").trigger();
    EXPECT_EQ(HostCell(2), "A1");
    EXPECT_FALSE(Stack().canUndo());
    EXPECT_TRUE(Stack().isClean()) << "undone back to the names as opened";
    EXPECT_FALSE(window.HasUnsavedHostNames()) << "undo back to the saved names clears the mark";
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_GE(cellChanges.count(), 4) << "undo changes cells through the grid, as any edit";
    Action("actionRedo").trigger();
    Action("actionRedo").trigger();
    EXPECT_EQ(HostCell(2), "Z9");
    EXPECT_EQ(HostCell(3), "R1");

    prompt.threeWayAnswers = {prompt::Answer::No}; // drop the redone names
    OpenStore(NewStore("other.db"));
    EXPECT_FALSE(Stack().canUndo()) << "a new show starts a new history";
    for (int row = 1; row <= 5; ++row)
        EXPECT_EQ(HostCell(row), saved[std::size_t(row - 1)]);
}

TEST_F(DesignerTools, RangeDialogRefusesNoMatchAndBadFieldsAndCanOnlySelect)
{
    OpenStore(NewStore("show.db"));
    RunRangeDialog([this](CAssignByRangeDlg& dialog) {
        dialog.FromField().setText(QStringLiteral("1:00"));
        EXPECT_EQ(dialog.CountText().toStdString(),
                  strings::FormatText(strings::kRangeBadField, strings::kRangeTimes));
        dialog.FromField().setText(QStringLiteral("01:00:00.000"));
        dialog.CurrentHostField().setText(QStringLiteral("nobody"));
        dialog.HostNameField().setText(QStringLiteral("X"));
        PressOK(dialog);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(prompt.MessageTexts().back(), strings::kRangeNoMatch);
        dialog.CurrentHostField().clear();
        dialog.SelectOnlyBox().setChecked(true);
        PressOK(dialog);
    });
    EXPECT_EQ(Grid().GetSelectedRowCount(), 2);
    EXPECT_EQ(Grid().GetSelectedRowAt(0), 3);
    EXPECT_EQ(Grid().GetSelectedRowAt(1), 5);
    EXPECT_EQ(HostCell(3), "北岸-1") << "selecting assigns nothing";
    EXPECT_FALSE(Stack().canUndo());
}

TEST_F(DesignerTools, FilteringNeverChangesWhatSaveWrites)
{
    const std::string path = NewStore("show.db");
    OpenStore(path);
    Tools().FilterBar().Field().setText(QStringLiteral("host"));
    ASSERT_EQ(Grid().ShownCueRows(), 2);
    Grid().selectAll();
    ASSERT_EQ(Grid().GetSelectedRowCount(), 2);
    EXPECT_EQ(Grid().GetSelectedRowAt(1), 4) << "the view's second row is the model's fourth";
    Grid().model()->setData(Grid().model()->index(1, 1), QStringLiteral("C3"));
    EXPECT_EQ(Grid().ShownCueRows(), 1) << "C3 no longer passes the filter";
    Action("actionSave").trigger();
    EXPECT_EQ(HostNames(path), (std::vector<std::string>{"HOST", "A1", "北岸-1", "C3", "B2"}));
    Tools().FilterBar().Field().clear();
    EXPECT_EQ(Grid().ShownCueRows(), 5);
}

TEST_F(DesignerTools, TimelineShowsLanesAndAClickSelectsTheCuesRow)
{
    OpenStore(NewStore("show.db"));
    Tools().FilterBar().Field().setText(QStringLiteral("B2"));
    Action("actionTimeline").trigger();
    editor::CTimelineWindow* timeline = Tools().Timeline();
    ASSERT_NE(timeline, nullptr);
    EXPECT_EQ(timeline->windowTitle(), QStringLiteral("Timeline"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(timeline));
    editor::TimelineView& view = timeline->View();
    ASSERT_EQ(view.Timeline().lanes.size(), 4u); // A1, B2, HOST, 北岸-1
    const show::TimelineMark& mark = view.Timeline().lanes[3].marks.front();
    const QPoint at = view.PointOf(3, mark);
    ASSERT_EQ(view.MarkAt(at), &mark);
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_TRUE(Tools().FilterBar().Field().text().isEmpty()) << "the row must be in view";
    ASSERT_EQ(Grid().GetSelectedRowCount(), 1);
    EXPECT_EQ(Grid().GetSelectedRowAt(0), 3);
}

} // namespace

namespace {

TEST_F(DesignerTools, OneStepPerCommandUndoneLastChangeFirst)
{
    OpenStore(NewStore("show.db"));
    editor::HostEditHistory& history = Tools().History();
    {
        const editor::HostEditGroup outer(history, editor::HostEditHistory::Command::kAssignHost);
        const editor::HostEditGroup inner(history,
                                          editor::HostEditHistory::Command::kAssignByRange);
        Grid().SetCellText(2, 1, "P");
        Grid().SetCellText(2, 1, "Q");
        Grid().SetCellText(4, 1, "Q");
        Grid().SetCellText(5, 1, "B2"); // unchanged: no part of the step
    }
    ASSERT_EQ(Stack().count(), 1);
    EXPECT_EQ(Stack().undoText(), QStringLiteral("Assign Host Q (2 cues)"))
        << "named by the outermost command";
    Stack().undo();
    EXPECT_EQ(HostCell(2), "A1") << "a row changed twice ends as it began";
    EXPECT_EQ(HostCell(4), "HOST");
    Stack().redo();
    EXPECT_EQ(HostCell(2), "Q");

    EXPECT_THROW(Grid().SetCellText(2, 0, "99"), std::logic_error)
        << "only the Host column takes a text";
    EXPECT_EQ(Stack().count(), 1);
    prompt.threeWayAnswers = {prompt::Answer::No};
    OpenStore(NewStore("other.db"));
    EXPECT_EQ(Stack().count(), 0) << "a new show starts a new history";
}

TEST_F(DesignerTools, HostColoursAreTheNamesOwnAndHostStaysPlain)
{
    OpenStore(NewStore("show.db"));
    auto colour = [this](int row) {
        return Grid().model()->data(Grid().ViewIndexOf(row, 1), Qt::BackgroundRole);
    };
    EXPECT_FALSE(colour(1).isValid()) << "HOST";
    EXPECT_TRUE(colour(2).isValid());
    EXPECT_FALSE(Grid().model()->data(Grid().ViewIndexOf(2, 2), Qt::BackgroundRole).isValid());
    EXPECT_NE(colour(2), colour(3));
    EXPECT_NE(colour(3), colour(5));
    Grid().SetCellText(4, 1, " A1 ");
    EXPECT_EQ(colour(4), colour(2)) << "the same name, the same colour";
}

TEST_F(DesignerTools, TimelineZoomKeepsTheTimeUnderTheCursorAndHitsOnlyNearMarks)
{
    OpenStore(NewStore("show.db"));
    Action("actionTimeline").trigger();
    editor::TimelineView& view = Tools().Timeline()->View();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Tools().Timeline()));
    const show::TimelineMark& mark = view.Timeline().lanes[0].marks.front(); // A1 at 0
    const QPoint before = view.PointOf(0, mark);
    view.ZoomBy(4, before.x());
    const QPoint after = view.PointOf(0, mark);
    EXPECT_LE(std::abs(after.x() - before.x()), 4) << "within the pixel it was pinned to, zoomed";
    EXPECT_LT(view.Span() * 3.9, view.Timeline().last * 1.02);
    EXPECT_EQ(view.MarkAt(after + QPoint(4, 0)), &mark);
    EXPECT_EQ(view.MarkAt(after + QPoint(6, 0)), nullptr);
    EXPECT_EQ(view.MarkAt(after + QPoint(0, 26)), nullptr) << "another lane";
}

} // namespace
