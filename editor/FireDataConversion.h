#pragma once

#include "LayoutTable.h"

#include <string>
#include <vector>

class CADODataBase;
class CADORecordset;

namespace editor {

struct ConversionOutcome
{
    enum Status
    {
        kConverted,
        kBadRecord,   // a FireOne field that is there but holds no whole number
        kWriteFailed, // the store refused a record
    };
    Status status = kConverted;
    int record = 0;     // for kBadRecord: the FireOne record, from 1
    std::string detail; // kBadRecord: the field; kWriteFailed: the store's account
};

// The show table record of one FireOne cue, the n-th converted (from 0).
store::CueRecord FireOneCue(int n, int launchTimeMs, int event, int slat, int cue);

// Converts every FireData record that `fireData` holds into a record of the
// existing, empty tb_Layout of `db`, in order, and gives the records in `cues`.
// A FireData column that is missing keeps its working value (LaunchTimeMS 0,
// Event -1, Slat 0, Cue 0 before the first record); one that is there must
// read as a whole number, or the conversion stops. The caller's transaction
// undoes a stopped one. Raises ado::_com_error on a failing database call.
ConversionOutcome ConvertFireData(CADORecordset& fireData, CADODataBase& db,
                                  std::vector<store::CueRecord>& cues);

} // namespace editor
