#include "ReadCueRecord.h"

#include "ADORecordset.h"
#include "LayoutTable.h"

namespace store {

const char* ReadCueRecord(CADORecordset& rs, CueRecord& cue)
{
    if (!rs.ReadField("FlowID", cue.FlowID))
        return "FlowID";
    if (!rs.ReadField("HostName", cue.HostName, ""))
        return "HostName";
    if (!rs.ReadField("BlastTime", cue.BlastTime))
        return "BlastTime";
    if (!rs.ReadField("Addr", cue.Addr, ""))
        return "Addr";
    if (!rs.ReadField("Channel", cue.Channel, ""))
        return "Channel";
    if (!rs.ReadField("CDCode", cue.CDCode))
        return "CDCode";
    if (!rs.ReadField("Sector", cue.Sector))
        return "Sector";
    return nullptr;
}

} // namespace store
