#pragma once
#include "show/Cue.h"

#include <string>
#include <vector>

class CADORecordset;

namespace store {
struct CueRecord;
}

namespace editor {

class FlexGrid;

struct LoadOutcome
{
    enum Status
    {
        kLoaded,
        kTableNotOpened, // tb_Layout missing or unreadable; the grid is unchanged
        kBadRecord,      // a field that cannot be read; the grid is unchanged
        kFailed,         // the database or the grid failed on the way
    };
    Status status = kLoaded;
    int records = 0;          // records loaded; for kBadRecord, the record (from 1)
    std::string detail;       // kBadRecord: the field; otherwise the failure's text
    bool gridChanged = false; // for kFailed: rows were removed or appended
};

// Loads tb_Layout through `rs` (bound to an open database) into the grid: the
// caption row, then one row per record in the order the store gives them. The
// records are read whole first, so a store that cannot be read leaves the grid
// as it was. Raises nothing.
LoadOutcome LoadShowTable(CADORecordset& rs, FlexGrid& grid);

// Replaces the grid's rows with the caption row and one row per cue, in order.
// Raises what the grid raises.
void FillCueGrid(const std::vector<show::Cue>& cues, FlexGrid& grid);

} // namespace editor
