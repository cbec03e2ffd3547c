#include "editor/ShowGrid.h"

#include "editor/CueGridLayout.h"
#include "show/Show.h"

#include <gtest/gtest.h>

namespace {

show::Cue MakeCue(int flowId, const std::string& host, int launch)
{
    show::Cue cue;
    cue.FlowID = flowId;
    cue.HostName = host;
    cue.BlastTime = launch;
    cue.Addr = "05";
    cue.Channel = "11";
    return cue;
}

class ShowGridTest : public ::testing::Test
{
protected:
    ShowGridTest()
    {
        editor::SetUpCueGrid(grid);
        show.Replace({MakeCue(7, "A1", 65432), MakeCue(3, "B2", 0)});
    }

    show::Show show;
    editor::ShowGrid grid{show};
};

TEST_F(ShowGridTest, RowsAreTheShowsCuesInStoreOrderBehindTheCaptionRow)
{
    ASSERT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.QueryCell(editor::kQueryCellText, 0, 1), "Host");
    EXPECT_EQ(grid.QueryCell(editor::kQueryCellText, 1, 0), "7");
    EXPECT_EQ(grid.QueryCell(editor::kQueryCellText, 1, 2), "01:05.432");
    EXPECT_EQ(grid.QueryCell(editor::kQueryCellText, 2, 1), "B2");
    EXPECT_EQ(grid.QueryCell(editor::kQueryCellText, 2, 7), "");
    EXPECT_THROW(grid.QueryCell(18, 1, 0), std::logic_error);
    EXPECT_THROW(grid.QueryCell(editor::kQueryCellText, 3, 0), std::logic_error) << "past the last";
    EXPECT_THROW(grid.QueryCell(editor::kQueryCellText, 1, 8), std::logic_error);
}

TEST_F(ShowGridTest, OnlyTheHostColumnTakesATextAndItChangesTheShowInOneStep)
{
    int changes = 0;
    const auto watch = show.Subscribe([&](const show::ShowChange& change) {
        changes += change.kind == show::ShowChange::kHostNames;
    });
    grid.SetCellText(2, 1, "South-2");
    EXPECT_EQ(show[1].HostName, "South-2");
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(show.Changed(1));
    EXPECT_FALSE(show.Changed(0));
    EXPECT_THROW(grid.SetCellText(1, 2, "00:00.001"), std::logic_error);
    EXPECT_EQ(show[0].BlastTime, 65432) << "a refused text changes nothing";
    grid.SetCellText(0, 7, "Remark");
    EXPECT_EQ(grid.QueryCell(editor::kQueryCellText, 0, 7), "Remark");
}

TEST_F(ShowGridTest, RowCountsAndAppendedRowsChangeTheShow)
{
    EXPECT_THROW(grid.AppendRow("x"), std::logic_error) << "a cue's Sequence is a number";
    grid.AppendRow("12");
    ASSERT_EQ(show.Size(), 3u);
    EXPECT_EQ(show[2].FlowID, 12);
    EXPECT_FALSE(show.AnyChanged()) << "an appended cue is as read";
    grid.SetRowCount(2);
    ASSERT_EQ(show.Size(), 1u);
    EXPECT_EQ(show[0].HostName, "A1");
    grid.SetRowCount(0);
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_THROW(grid.SetRowCount(-1), std::logic_error);
}

TEST_F(ShowGridTest, SelectionIsAscendingAndFollowsTheRowCount)
{
    show.Replace(std::vector<show::Cue>(5));
    grid.SelectRows({5, 1, 3, 3});
    ASSERT_EQ(grid.GetSelectedRowCount(), 3);
    EXPECT_EQ(grid.GetSelectedRowAt(0), 1);
    EXPECT_EQ(grid.GetSelectedRowAt(2), 5);
    EXPECT_THROW(grid.GetSelectedRowAt(3), std::logic_error);
    grid.SetRowCount(4);
    EXPECT_EQ(grid.GetSelectedRowCount(), 2) << "row 5 went with its cue";
    EXPECT_THROW(grid.SelectRows({4}), std::logic_error);
}

} // namespace
