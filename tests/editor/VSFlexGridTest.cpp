#include "editor/ui/VSFlexGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class FlexGridWidget : public ::testing::Test
{
protected:
    FlexGridWidget()
    {
        grid.SetColumnCount(3);
        grid.SetRowCount(1);
        grid.SetCellText(0, 0, "A");
        grid.SetCellText(0, 1, "B");
        grid.SetCellText(0, 2, "C");
    }

    void AppendRows(int count)
    {
        for (int i = 0; i < count; ++i)
            grid.AppendRow(std::to_string(grid.GetRowCount()));
    }

    QAbstractItemModel& Model() { return *grid.model(); }

    CVSFlexGrid grid;
};

TEST_F(FlexGridWidget, CaptionRowIsTheHeaderAndCueRowsAreTheViewsRows)
{
    AppendRows(2);
    EXPECT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(Model().rowCount(), 2);
    EXPECT_EQ(Model().headerData(1, Qt::Horizontal).toString(), QStringLiteral("B"));
    EXPECT_EQ(Model().data(Model().index(0, 0)).toString(), QStringLiteral("1"));
    grid.SetCellText(2, 1, "北岸");
    EXPECT_EQ(Model().data(Model().index(1, 1)).toString(), QStringLiteral("北岸"));
    EXPECT_EQ(grid.QueryCell(19, 2, 1), "北岸");
    EXPECT_EQ(grid.Show()[1].HostName, "北岸") << "the grid shows the show";
    EXPECT_EQ(grid.QueryCell(19, 0, 2), "C");
}

TEST_F(FlexGridWidget, RefusedCallsRaise)
{
    EXPECT_THROW(grid.QueryCell(19, 1, 0), std::logic_error);
    EXPECT_THROW(grid.QueryCell(7, 0, 0), std::logic_error);
    EXPECT_THROW(grid.SetCellText(0, 3, "x"), std::logic_error);
    EXPECT_THROW(grid.SetRowCount(-1), std::logic_error);
    EXPECT_THROW(grid.GetSelectedRowAt(0), std::logic_error);
    EXPECT_THROW(grid.PutSetting(editor::kSettingSelectionMode, 9), std::logic_error);
    EXPECT_THROW(grid.PutSetting(static_cast<editor::GridSetting>(5), 0), std::logic_error);
    EXPECT_EQ(grid.GetRowCount(), 1);
}

TEST_F(FlexGridWidget, SetRowCountOneKeepsOnlyTheCaptions)
{
    AppendRows(5);
    grid.SetRowCount(1);
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_EQ(Model().rowCount(), 0);
    EXPECT_EQ(grid.QueryCell(19, 0, 0), "A");
}

TEST_F(FlexGridWidget, AShowReachesTheViewInOneResetAndNamesInOneNotice)
{
    QSignalSpy reset(&Model(), &QAbstractItemModel::modelReset);
    QSignalSpy changed(&Model(), &QAbstractItemModel::dataChanged);
    QSignalSpy counted(&grid, &CVSFlexGrid::RowCountChanged);
    grid.Show().Replace(std::vector<show::Cue>(1000));
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(Model().rowCount(), 1000);
    ASSERT_FALSE(counted.isEmpty());
    EXPECT_EQ(counted.last().at(0).toInt(), 1001);
    grid.Show().SetHostName({10, 500}, "X");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_LE(changed.at(0).at(0).toModelIndex().row(), 10);
    EXPECT_GE(changed.at(0).at(1).toModelIndex().row(), 500);
    EXPECT_EQ(Model().data(Model().index(500, 1)).toString(), QStringLiteral("X"));
}

TEST_F(FlexGridWidget, RedrawOffHoldsOnlyThePainting)
{
    grid.SetRedraw(false);
    EXPECT_FALSE(grid.updatesEnabled());
    AppendRows(3);
    EXPECT_EQ(grid.GetRowCount(), 4) << "the grid counts them at once";
    EXPECT_EQ(Model().rowCount(), 3);
    grid.SetRedraw(true);
    EXPECT_TRUE(grid.updatesEnabled());
}

TEST_F(FlexGridWidget, SelectedRowsComeInAscendingOrderAsGridRows)
{
    grid.PutSetting(editor::kSettingSelectionMode, 2);
    AppendRows(6);
    auto* selection = grid.selectionModel();
    for (const int modelRow : {4, 0, 2})
        selection->select(Model().index(modelRow, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ASSERT_EQ(grid.GetSelectedRowCount(), 3);
    EXPECT_EQ(grid.GetSelectedRowAt(0), 1);
    EXPECT_EQ(grid.GetSelectedRowAt(1), 3);
    EXPECT_EQ(grid.GetSelectedRowAt(2), 5);
    EXPECT_THROW(grid.GetSelectedRowAt(3), std::logic_error);

    selection->select(Model().index(0, 0),
                      QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    EXPECT_EQ(grid.GetSelectedRowCount(), 2);
    grid.SetRowCount(1);
    EXPECT_EQ(grid.GetSelectedRowCount(), 0);
}

TEST_F(FlexGridWidget, SelectionSettingLetsSeveralWholeRowsBeSelected)
{
    grid.PutSetting(editor::kSettingSelectionMode, 2);
    EXPECT_EQ(grid.selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(grid.selectionBehavior(), QAbstractItemView::SelectRows);
    grid.PutSetting(editor::kSettingEditTriggers, 15);
    EXPECT_EQ(grid.editTriggers(),
              QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    EXPECT_EQ(grid.Setting(editor::kSettingEditTriggers), 15);
}

TEST_F(FlexGridWidget, ColumnWidthsAreTwipsAtTheScreensResolution)
{
    grid.SetColumnWidth(0, 1440);
    grid.SetColumnWidth(1, 820);
    EXPECT_EQ(grid.horizontalHeader()->sectionSize(0), grid.logicalDpiX());
    EXPECT_EQ(grid.horizontalHeader()->sectionSize(1),
              static_cast<int>(std::lround(820 * grid.logicalDpiX() / 1440.0)));
    EXPECT_EQ(grid.GetColumnWidth(1), 820);
    grid.SetColumnCount(4); // a new layout keeps the widths of the kept columns
    EXPECT_EQ(grid.horizontalHeader()->sectionSize(0), grid.logicalDpiX());
}

TEST_F(FlexGridWidget, EditNotificationNamesTheCellAndCanRefuse)
{
    grid.PutSetting(editor::kSettingEditTriggers, 15);
    AppendRows(2);
    std::vector<std::pair<int, int>> asked;
    QObject::connect(&grid, &CVSFlexGrid::BeforeEdit, [&](int row, int column, bool* cancel) {
        asked.emplace_back(row, column);
        *cancel = column == 2;
    });
    grid.show();
    grid.edit(Model().index(1, 2));
    EXPECT_EQ(grid.indexWidget(Model().index(1, 2)), nullptr) << "no editor opened";
    grid.edit(Model().index(1, 1));
    EXPECT_NE(grid.indexWidget(Model().index(1, 1)), nullptr);
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{2, 2}, {2, 1}}));
}

TEST_F(FlexGridWidget, MouseDownReportsTheButtonAndShiftState)
{
    AppendRows(2);
    grid.show();
    std::vector<std::pair<short, short>> presses;
    QObject::connect(&grid, &CVSFlexGrid::MouseDown, [&](short button, short shift, float, float) {
        presses.emplace_back(button, shift);
    });
    auto press = [&](Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(5, 5),
                          grid.viewport()->mapToGlobal(QPointF(5, 5)), button, button, modifiers);
        QApplication::sendEvent(grid.viewport(), &event);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5),
                            grid.viewport()->mapToGlobal(QPointF(5, 5)), button, Qt::NoButton,
                            modifiers);
        QApplication::sendEvent(grid.viewport(), &release);
    };
    press(Qt::RightButton, Qt::ControlModifier);
    press(Qt::LeftButton, Qt::NoModifier);
    press(Qt::MiddleButton, Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_EQ(presses, (std::vector<std::pair<short, short>>{{2, 2}, {1, 0}, {4, 5}}));
}

} // namespace
