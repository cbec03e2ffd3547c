#include "show/ReadCueRecords.h"

#include "show/Cue.h"

#include <algorithm>
#include <cstdint>

namespace show {

namespace {

// One column of tb_Layout as a reader takes it: into a number or a text of
// the record, with or without a note when it is NULL.
struct Column
{
    const char* name;
    std::int32_t Cue::*number;
    std::string Cue::*text;
    bool CueNulls::*null;
    bool sent; // carried by a cue frame
};

// In the table's order, which is the order of reading; HostIndex is read by
// no one.
constexpr Column kColumns[] = {
    {"FlowID", &Cue::FlowID, nullptr, nullptr, false},
    {"HostName", nullptr, &Cue::HostName, &CueNulls::HostName, true},
    {"BlastTime", &Cue::BlastTime, nullptr, &CueNulls::BlastTime, true},
    {"Addr", nullptr, &Cue::Addr, nullptr, true},
    {"Channel", nullptr, &Cue::Channel, nullptr, true},
    {"CDCode", &Cue::CDCode, nullptr, &CueNulls::CDCode, true},
    {"Sector", &Cue::Sector, nullptr, &CueNulls::Sector, true},
};

bool Takes(CueFields fields, const Column& column)
{
    switch (fields) {
    case CueFields::kShown:
        return true;
    case CueFields::kSent:
        return column.sent;
    case CueFields::kHostName:
        return column.text == &Cue::HostName;
    }
    return false;
}

// The first column that cannot be read, or nullptr.
const char* ReadRecord(CADORecordset& rs, CueFields fields, Cue& cue)
{
    for (const Column& column : kColumns) {
        if (!Takes(fields, column))
            continue;
        const bool read = column.number ? rs.ReadField(column.name, cue.*column.number)
                                        : rs.ReadField(column.name, cue.*column.text, "");
        if (!read)
            return column.name;
        if (column.null)
            cue.nulls.*column.null = rs.GetRecordset()->GetCollect(column.name).IsNull();
    }
    return nullptr;
}

CueReadOutcome Walk(CADORecordset& rs, CueFields fields, const std::function<void(Cue&)>& visit)
{
    CueReadOutcome outcome;
    const ado::RecordsetPtr records = rs.GetRecordset();
    for (; !records->EndOfFile(); records->MoveNext()) {
        Cue cue;
        if (const char* field = ReadRecord(rs, fields, cue)) {
            outcome.status = CueReadOutcome::kBadField;
            outcome.records += 1;
            outcome.field = field;
            break;
        }
        visit(cue);
        outcome.records += 1;
    }
    rs.Close();
    return outcome;
}

bool Open(CADORecordset& rs, const std::string& source, OpenMode mode, CueReadOutcome& outcome)
{
    if (rs.Open(source, mode))
        return true;
    outcome.status = CueReadOutcome::kNotOpened;
    outcome.detail = rs.GetLastErrorText();
    return false;
}

} // namespace

CueReadOutcome ForEachCueRecord(CADORecordset& rs, const std::string& source, OpenMode mode,
                                CueFields fields, const std::function<void(Cue&)>& visit)
{
    CueReadOutcome outcome;
    if (!Open(rs, source, mode, outcome))
        return outcome;
    return Walk(rs, fields, visit);
}

CueReadOutcome ReadCueRecords(CADORecordset& rs, const std::string& source, OpenMode mode,
                              CueFields fields, std::vector<Cue>& cues)
{
    cues.clear();
    CueReadOutcome outcome;
    if (!Open(rs, source, mode, outcome))
        return outcome;
    cues.reserve(static_cast<std::size_t>(std::max(0L, rs.GetRecordset()->RecordCount())));
    outcome = Walk(rs, fields, [&cues](Cue& cue) { cues.push_back(std::move(cue)); });
    if (outcome.status != CueReadOutcome::kRead)
        cues.clear();
    return outcome;
}

} // namespace show
