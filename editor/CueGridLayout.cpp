#include "editor/CueGridLayout.h"

#include "editor/FlexGrid.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"

namespace editor {

const std::array<CueGridColumn, show::kCueColumnCount> kCueGridColumns = {{
    {strings::kColSequence, 820},
    {strings::kColHost, 1500},
    {strings::kColLaunchTime, 2000},
    {strings::kColOffset, 800},
    {strings::kColEvent, 600},
    {strings::kColSla, 800},
    {strings::kColCue, 800},
    {strings::kColNote, 6360},
}};

void SetUpCueGrid(FlexGrid& grid)
{
    grid.PutSetting(kSettingSelectionMode, 2);
    grid.PutSetting(kSettingUserResizing, 3);
    grid.PutSetting(kSettingGridLines, 3);
    grid.PutSetting(kSettingEditTriggers, 15);
    grid.PutSetting(kSettingHighlight, 1);
    grid.SetColumnCount(show::kCueColumnCount);
    grid.SetRowCount(1);
    grid.PutSetting(kSettingFixedRows, 1);
    for (int column = 0; column < show::kCueColumnCount; ++column) {
        const CueGridColumn& layout = kCueGridColumns[static_cast<std::size_t>(column)];
        grid.SetColumnWidth(column, layout.twips);
        grid.SetCellText(0, column, layout.caption);
    }
}

} // namespace editor
