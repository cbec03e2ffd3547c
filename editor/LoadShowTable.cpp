#include "LoadShowTable.h"

#include "ADORecordset.h"
#include "FlexGrid.h"
#include "LayoutTable.h"
#include "ReadCueRecords.h"

#include <vector>

namespace editor {

void FillCueGrid(const std::vector<store::CueRecord>& cues, FlexGrid& grid)
{
    grid.SetRowCount(1);
    grid.ReserveRows(static_cast<int>(cues.size()) + 1);
    RedrawPause pause(grid);
    for (const store::CueRecord& cue : cues) {
        const auto texts = store::CueCellTexts(cue);
        grid.AppendRow(texts[store::kColumnSequence]);
        const int row = grid.GetRowCount() - 1;
        for (int column = store::kColumnHost; column < store::kCueColumnCount; ++column)
            grid.SetCellText(row, column, texts[static_cast<std::size_t>(column)]);
    }
}

LoadOutcome LoadShowTable(CADORecordset& rs, FlexGrid& grid)
{
    LoadOutcome outcome;
    try {
        std::vector<store::CueRecord> cues;
        // The rows are read whole and let go before the grid fills.
        const store::CueReadOutcome read = store::ReadCueRecords(rs, store::kLayoutTable, modeTable,
                                                                 store::CueFields::kShown, cues);
        switch (read.status) {
        case store::CueReadOutcome::kRead:
            break;
        case store::CueReadOutcome::kNotOpened:
            outcome.status = LoadOutcome::kTableNotOpened;
            outcome.detail = read.detail;
            return outcome;
        case store::CueReadOutcome::kBadField:
            outcome.status = LoadOutcome::kBadRecord;
            outcome.records = read.records;
            outcome.detail = read.field;
            return outcome;
        }
        outcome.gridChanged = true;
        FillCueGrid(cues, grid);
        outcome.records = static_cast<int>(cues.size());
    } catch (const std::exception& error) { // the store's failures, the grid's refusals, memory
        outcome.status = LoadOutcome::kFailed;
        outcome.detail = error.what();
    }
    return outcome;
}

} // namespace editor
