#include "editor/GridCells.h"

#include "editor/FlexGrid.h"
#include "editor/MemoryGrid.h"

#include <gtest/gtest.h>

namespace {

using editor::GridError;

TEST(GridCells, RowsAndColumnsOutOfRangeAreRefused)
{
    editor::GridCells cells;
    cells.SetColumns(3);
    cells.SetRows(2);
    EXPECT_THROW(cells.Text(2, 0), GridError);
    EXPECT_THROW(cells.Text(-1, 0), GridError);
    EXPECT_THROW(cells.Text(0, 3), GridError);
    EXPECT_THROW(cells.SetText(0, -1, "x"), GridError);
    EXPECT_THROW(cells.SetRows(-1), GridError);
    EXPECT_THROW(cells.SetWidth(3, 100), GridError);
    EXPECT_THROW(cells.SetWidth(0, -1), GridError);
    EXPECT_EQ(cells.Text(1, 2), "");
}

TEST(GridCells, ChangingTheColumnCountKeepsTheTextsOfKeptColumns)
{
    editor::GridCells cells;
    cells.SetColumns(2);
    cells.AppendRow("r0");
    cells.AppendRow("r1");
    cells.SetText(1, 1, "b1");
    cells.SetColumns(4);
    EXPECT_EQ(cells.Text(0, 0), "r0");
    EXPECT_EQ(cells.Text(1, 0), "r1");
    EXPECT_EQ(cells.Text(1, 1), "b1");
    EXPECT_EQ(cells.Text(1, 3), "");
    cells.SetColumns(1);
    EXPECT_EQ(cells.Text(1, 0), "r1");
    EXPECT_THROW(cells.Text(1, 1), GridError);
}

TEST(GridCells, ShrinkingAndGrowingRowsClearsTheDroppedTexts)
{
    editor::GridCells cells;
    cells.SetColumns(2);
    cells.AppendRow("a");
    cells.AppendRow("b");
    cells.SetRows(1);
    cells.SetRows(2);
    EXPECT_EQ(cells.Text(0, 0), "a");
    EXPECT_EQ(cells.Text(1, 0), "");
}

TEST(GridCells, AppendingNeedsAColumn)
{
    editor::GridCells cells;
    EXPECT_THROW(cells.AppendRow("x"), GridError);
    EXPECT_EQ(cells.Rows(), 0);
}

TEST(MemoryGrid, QueryCellGivesTextsForSetting19Only)
{
    editor::MemoryGrid grid;
    grid.SetColumnCount(2);
    grid.AppendRow("first");
    EXPECT_EQ(grid.QueryCell(19, 0, 0), "first");
    EXPECT_THROW(grid.QueryCell(18, 0, 0), GridError);
    EXPECT_THROW(grid.QueryCell(19, 1, 0), GridError) << "the row after the last";
}

TEST(MemoryGrid, SelectionIsAscendingAndFollowsTheRowCount)
{
    editor::MemoryGrid grid;
    grid.SetColumnCount(1);
    grid.SetRowCount(6);
    grid.SelectRows({5, 1, 3, 3});
    ASSERT_EQ(grid.GetSelectedRowCount(), 3);
    EXPECT_EQ(grid.GetSelectedRowAt(0), 1);
    EXPECT_EQ(grid.GetSelectedRowAt(1), 3);
    EXPECT_EQ(grid.GetSelectedRowAt(2), 5);
    EXPECT_THROW(grid.GetSelectedRowAt(3), GridError);
    grid.SetRowCount(4);
    EXPECT_EQ(grid.GetSelectedRowCount(), 2) << "row 5 went with the rows";
    EXPECT_THROW(grid.SelectRows({4}), GridError);
}

} // namespace
