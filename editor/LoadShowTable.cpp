#include "editor/LoadShowTable.h"

#include "editor/FlexGrid.h"
#include "show/Cue.h"
#include "show/Failure.h"
#include "show/ShowReader.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"

#include <vector>

namespace editor {

void FillCueGrid(const std::vector<show::Cue>& cues, FlexGrid& grid)
{
    grid.SetRowCount(1);
    grid.ReserveRows(static_cast<int>(cues.size()) + 1);
    RedrawPause pause(grid);
    for (const show::Cue& cue : cues) {
        const auto texts = show::CueCellTexts(cue);
        grid.AppendRow(texts[show::kColumnSequence]);
        const int row = grid.GetRowCount() - 1;
        for (int column = show::kColumnHost; column < show::kCueColumnCount; ++column)
            grid.SetCellText(row, column, texts[static_cast<std::size_t>(column)]);
    }
}

LoadOutcome LoadShowTable(CADORecordset& rs, FlexGrid& grid)
{
    LoadOutcome outcome;
    try {
        std::vector<show::Cue> cues;
        // The rows are read whole and let go before the grid fills.
        try {
            cues =
                show::ReadCueRecords(rs, store::kLayoutTable, modeTable, show::CueFields::kShown);
        } catch (const show::Failure& failure) {
            if (failure.Code() == show::FailureCode::kTableNotOpened) {
                outcome.status = LoadOutcome::kTableNotOpened;
                outcome.detail = failure.Detail();
                return outcome;
            }
            if (failure.Code() == show::FailureCode::kBadField) {
                outcome.status = LoadOutcome::kBadRecord;
                outcome.records = failure.Row();
                outcome.detail = failure.Name();
                return outcome;
            }
            throw;
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
