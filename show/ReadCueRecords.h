#pragma once

#include "show/Cue.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"

#include <functional>
#include <string>
#include <vector>

namespace show {

// The columns a reader takes from each record, by what it reads them for.
enum class CueFields
{
    kShown,    // every column but HostIndex: the grid and the show check
    kSent,     // what a cue frame carries: neither FlowID nor HostIndex
    kHostName, // the host name alone
};

struct CueReadOutcome
{
    enum Status
    {
        kRead,      // every record, maybe none
        kNotOpened, // the table or statement cannot be opened
        kBadField,  // a record with a column that cannot be read
    };
    Status status = kRead;
    int records = 0;             // records read; for kBadField, the failing one (from 1)
    const char* field = nullptr; // kBadField: the first column that cannot be read
    std::string detail;          // kNotOpened: the recordset's account of it
};

// Opens `source` (a table name or a statement, as `mode` says) on `rs`, which
// is bound to an open database, and hands each record to `visit` in the order
// the source delivers them; closes `rs` when the walk ends. A column that
// cannot be read ends the walk at that record: a missing column or a value of
// the wrong kind must not become a plausible made-up cue. NULL reads as 0 or
// the empty text, and is noted in the record's `nulls`. Raises what the access
// layer raises.
CueReadOutcome ForEachCueRecord(CADORecordset& rs, const std::string& source, OpenMode mode,
                                CueFields fields, const std::function<void(Cue&)>& visit);

// The same, gathered into `cues`: every record, or none unless kRead.
CueReadOutcome ReadCueRecords(CADORecordset& rs, const std::string& source, OpenMode mode,
                              CueFields fields, std::vector<Cue>& cues);

} // namespace show
