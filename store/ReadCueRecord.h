#pragma once

class CADORecordset;

namespace store {

struct CueRecord;

// Reads the current record of an open tb_Layout recordset into `cue`: every
// field a cue shows or sends (not HostIndex, which neither uses). Returns the
// name of the first field that cannot be read, or nullptr: a missing column
// or a value of the wrong kind must not turn into a plausible made-up cue.
const char* ReadCueRecord(CADORecordset& rs, CueRecord& cue);

} // namespace store
