#pragma once

#include "show/Cue.h"
#include "show/WorkProgress.h"
#include "store/LayoutTable.h"
#include "store/Variant.h"
#include "store/engine/DatabaseEngine.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class CADODataBase;
class CADORecordset;

namespace editor {

// The show table record of one FireOne cue, the n-th converted (from 0).
show::Cue FireOneCue(int n, int launchTimeMs, int event, int slat, int cue);

// Turns FireData records, one at a time and in order, into cues. A FireData
// column that is missing keeps its working value (LaunchTimeMS 0, Event -1,
// Slat 0, Cue 0 before the first record); one that is there must read as a
// whole number.
class FireDataConverter
{
public:
    explicit FireDataConverter(const std::vector<store::ColumnInfo>& columns);

    // The cue of the next record, whose values follow the columns given.
    // Raises show::Failure for a record that cannot be one:
    // kFireOneFieldUnreadable or kFireOneNotWhole (row: the record from 1,
    // name: the field, other: the value).
    show::Cue Next(const std::vector<ado::Variant>& row);

private:
    static constexpr std::size_t kColumns = 4;
    std::array<std::optional<std::size_t>, kColumns> at_{};
    std::array<int, kColumns> values_ = {0, -1, 0, 0};
    int converted_ = 0;
};

// Whether the database holds FireData, by its catalogue (names compared as
// the engines open tables: case ignored), so the table is read only where
// it is wanted, row by row.
bool HasFireData(CADODataBase& db);

// Writes cues into the existing tb_Layout of an engine, one insert each.
class CueWriter
{
public:
    explicit CueWriter(store::DatabaseEngine& engine);
    void Write(const show::Cue& cue); // raises ado::_com_error

private:
    store::DatabaseEngine& engine_;
    std::vector<store::ColumnInfo> columns_;
    std::vector<bool> written_;
};

// Converts every FireData record that `fireData` holds into a record of the
// existing, empty tb_Layout of `db`, in order, and gives the records in `cues`.
// The conversion stops at the first record that cannot be one (raising
// show::Failure as Next does); the caller's transaction undoes a stopped one.
// Raises ado::_com_error on a failing database call; each record is a step
// of `progress`.
void ConvertFireData(CADORecordset& fireData, CADODataBase& db, std::vector<show::Cue>& cues,
                     show::WorkProgress& progress);

} // namespace editor
