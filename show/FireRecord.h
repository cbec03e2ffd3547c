#pragma once

#include "show/Cue.h"
#include "store/Variant.h"
#include "store/engine/DatabaseEngine.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class CADODataBase;

// A FireOne record (a row of FireData) as the import makes a cue of it.
namespace show {

// The show table record of one FireOne cue, the n-th converted (from 0).
Cue FireOneCue(int n, int launchTimeMs, int event, int slat, int cue);

// Turns FireData records, one at a time and in order, into cues. A FireData
// column that is missing keeps its working value (LaunchTimeMS 0, Event -1,
// Slat 0, Cue 0 before the first record); one that is there must read as a
// whole number, NULL reading as 0 (noted in the cue's `fire`).
class FireDataConverter
{
public:
    explicit FireDataConverter(const std::vector<store::ColumnInfo>& columns);

    // The cue of the next record, whose values follow the columns given.
    // Raises Failure for a record that cannot be one: kFireOneFieldUnreadable,
    // kFireOneTimeNotWhole or kFireOneNotWhole (row: the record from 1, name:
    // the field, other: the value).
    Cue Next(const std::vector<ado::Variant>& row);

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

// How many of `cues` were made from a FireOne record with a NULL.
int CuesFromNullFireRecords(const std::vector<Cue>& cues);

// The cues that the FireData a show store keeps (an SQLite FireOne file's
// own, or the copy in the store an import made) converts into, as the
// import converted them, where the record held a NULL; none without FireData.
// Reading ends at a record no import could have converted. Raises Failure:
// kStoreNotOpened, kDatabase.
std::vector<Cue> ReadNullFireRecordCues(const std::string& storePath);

// Gives each cue of a show the NULLs of the FireOne record it was made from:
// the record of its FlowID, when that converts into this very cue (launch
// time, module, channel, event), so that a FireData changed since the import
// names no other cue.
void NoteFireRecordNulls(std::vector<Cue>& cues, const std::vector<Cue>& fromNullRecords);

} // namespace show
