#include "LoadShowTable.h"

#include "ADORecordset.h"
#include "FlexGrid.h"
#include "LayoutTable.h"
#include "ReadCueRecord.h"

#include <vector>

namespace editor {

namespace {

// Reads every record; false (with the record and field in the outcome) at the
// first field that cannot be read.
bool ReadCues(CADORecordset& rs, std::vector<store::CueRecord>& cues, LoadOutcome& outcome)
{
    const ado::RecordsetPtr records = rs.GetRecordset();
    cues.reserve(static_cast<std::size_t>(records->RecordCount()));
    for (; !records->EndOfFile(); records->MoveNext()) {
        store::CueRecord cue;
        if (const char* failed = store::ReadCueRecord(rs, cue)) {
            outcome.status = LoadOutcome::kBadRecord;
            outcome.records = static_cast<int>(cues.size()) + 1;
            outcome.detail = failed;
            return false;
        }
        cues.push_back(std::move(cue));
    }
    return true;
}

} // namespace

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
        if (!rs.Open(store::kLayoutTable, modeTable)) {
            outcome.status = LoadOutcome::kTableNotOpened;
            outcome.detail = rs.GetLastErrorText();
            return outcome;
        }
        std::vector<store::CueRecord> cues;
        const bool read = ReadCues(rs, cues, outcome);
        rs.Close(); // the rows were read whole: let them go before the grid fills
        if (!read)
            return outcome;
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
