#pragma once

#include "show/Cue.h"
#include "store/LayoutTable.h"
#include "store/Variant.h"
#include "store/engine/DatabaseEngine.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class CADODataBase;

namespace prompt {
class Prompt;
}
class CADORecordset;

namespace editor {

struct ConversionOutcome
{
    enum Status
    {
        kConverted,
        kBadRecord, // a FireOne field that is there but holds no whole number
    };
    Status status = kConverted;
    int record = 0;          // for kBadRecord: the FireOne record, from 1
    std::string detail;      // kBadRecord: the field
    std::string value;       // kBadRecord: the value, when it is a number with a fraction
    bool fractional = false; // kBadRecord: a number, but not a whole one
};

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

    // The cue of the next record, whose values follow the columns given;
    // false, with `outcome` saying why, for a record that cannot be one.
    bool Next(const std::vector<ado::Variant>& row, show::Cue& cue, ConversionOutcome& outcome);

private:
    static constexpr std::size_t kColumns = 4;
    std::array<std::optional<std::size_t>, kColumns> at_{};
    std::array<int, kColumns> values_ = {0, -1, 0, 0};
    int converted_ = 0;
};

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
// The conversion stops at the first record that cannot be one; the caller's
// transaction undoes a stopped one. Raises ado::_com_error on a failing
// database call.
// Tells the user which FireOne record could not become a cue, and why.
void ReportBadRecord(prompt::Prompt& prompt, const ConversionOutcome& outcome);

ConversionOutcome ConvertFireData(CADORecordset& fireData, CADODataBase& db,
                                  std::vector<show::Cue>& cues);

} // namespace editor
