#include "editor/CueGridLayout.h"

#include "editor/ShowGrid.h"
#include "resources/strings/Strings.h"
#include "show/HostNameRules.h"
#include "show/Show.h"

#include <gtest/gtest.h>

namespace {

TEST(CueGridLayout, SetUpLeavesOnlyTheCaptionRowWithEightColumns)
{
    show::Show show;
    editor::ShowGrid grid(show);
    grid.SetColumnCount(3);
    grid.SetRowCount(40);
    editor::SetUpCueGrid(grid);
    ASSERT_EQ(grid.GetColumnCount(), 8);
    ASSERT_EQ(grid.GetRowCount(), 1);
    const std::vector<std::pair<std::string, int>> expected = {
        {"Sequence", 820}, {"Host", 1500}, {"Launch Time", 2000}, {"Offset", 800},
        {"Event", 600},    {"Sla", 800},   {"Cue", 800},          {"Note", 6360}};
    int total = 0;
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(grid.QueryCell(editor::kQueryCellText, 0, c), expected[std::size_t(c)].first);
        EXPECT_EQ(grid.GetColumnWidth(c), expected[std::size_t(c)].second);
        total += grid.GetColumnWidth(c);
    }
    EXPECT_EQ(total, 13680);
}

TEST(CueGridLayout, SetUpGivesTheSixSettings)
{
    show::Show show;
    editor::ShowGrid grid(show);
    editor::SetUpCueGrid(grid);
    EXPECT_EQ(grid.Setting(editor::kSettingSelectionMode), 2);
    EXPECT_EQ(grid.Setting(editor::kSettingUserResizing), 3);
    EXPECT_EQ(grid.Setting(editor::kSettingGridLines), 3);
    EXPECT_EQ(grid.Setting(editor::kSettingEditTriggers), 15);
    EXPECT_EQ(grid.Setting(editor::kSettingHighlight), 1);
    EXPECT_EQ(grid.Setting(editor::kSettingFixedRows), 1);
}

TEST(HostNameText, TrimsUnicodeWhiteSpaceAtBothEndsOnly)
{
    EXPECT_EQ(show::TrimHostName(" \t\n\v\f\rA 1 \t\n\v\f\r"), "A 1");
    EXPECT_EQ(show::TrimHostName(" \t "), "");
    EXPECT_EQ(show::TrimHostName(""), "");
    EXPECT_EQ(show::TrimHostName("北岸 1"), "北岸 1");
    // The ideographic space, the no-break space and the next line.
    EXPECT_EQ(show::TrimHostName("\xE3\x80\x80X\xC2\xA0\xC2\x85"), "X");
    EXPECT_EQ(show::TrimHostName("\xE3\x80\x80\xE3\x80\x80"), "") << "blank, so refused";
    EXPECT_EQ(show::TrimHostName("A\xE3\x80\x80"
                                 "B"),
              "A\xE3\x80\x80"
              "B");
    // Bytes that are no UTF-8, or a sequence cut short, are kept as they are.
    EXPECT_EQ(show::TrimHostName("\xE3\x80 A\xA0"), "\xE3\x80 A\xA0");
    EXPECT_EQ(show::TrimHostName("\xE4\xB8\x9C\xE3\x80\x80"), "\xE4\xB8\x9C");
}

} // namespace
