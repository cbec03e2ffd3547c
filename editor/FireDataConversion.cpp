#include "FireDataConversion.h"

#include "ADODataBase.h"
#include "ADORecordset.h"
#include "strings/FormatText.h"

#include <array>
#include <strings.h>

namespace editor {

namespace {

// The four FireData columns the import reads, in the order it reads them.
constexpr std::array<const char*, 4> kFireDataColumns = {"LaunchTimeMS", "Event", "Slat", "Cue"};

bool HasField(const ado::Recordset& rows, const char* name)
{
    for (const store::ColumnInfo& column : rows.Fields())
        if (strcasecmp(column.name.c_str(), name) == 0)
            return true;
    return false;
}

bool WriteCue(CADORecordset& layout, const store::CueRecord& cue)
{
    return layout.AddNew() && layout.WriteField("FlowID", cue.FlowID) &&
           layout.WriteField("HostName", cue.HostName) &&
           layout.WriteField("HostIndex", cue.HostIndex) &&
           layout.WriteField("BlastTime", cue.BlastTime) && layout.WriteField("Addr", cue.Addr) &&
           layout.WriteField("Channel", cue.Channel) && layout.WriteField("CDCode", cue.CDCode) &&
           layout.WriteField("Sector", cue.Sector);
}

} // namespace

store::CueRecord FireOneCue(int n, int launchTimeMs, int event, int slat, int cue)
{
    store::CueRecord record;
    record.FlowID = n;
    record.HostName = store::kDefaultHostName;
    record.HostIndex = 1;
    record.BlastTime = launchTimeMs;
    record.Addr = strings::FormatText("%02d", slat);
    record.Channel =
        strings::FormatText("%02lld", static_cast<long long>(cue) - 1); // no overflow at INT_MIN
    record.CDCode = event;
    record.Sector = 0;
    return record;
}

ConversionOutcome ConvertFireData(CADORecordset& fireData, CADODataBase& db,
                                  std::vector<store::CueRecord>& cues)
{
    ConversionOutcome outcome;
    const ado::RecordsetPtr rows = fireData.GetRecordset();
    std::array<bool, kFireDataColumns.size()> present{};
    for (std::size_t i = 0; i < kFireDataColumns.size(); ++i)
        present[i] = HasField(*rows, kFireDataColumns[i]);

    CADORecordset layout(&db);
    if (!layout.Open(store::kLayoutTable, modeTable)) {
        outcome.status = ConversionOutcome::kWriteFailed;
        outcome.detail = layout.GetLastErrorText();
        return outcome;
    }
    // Working values: kept from one record to the next where a column is missing.
    std::array<int, kFireDataColumns.size()> values = {0, -1, 0, 0};
    cues.reserve(static_cast<std::size_t>(rows->RecordCount()));
    for (int n = 0; !rows->EndOfFile(); ++n) {
        for (std::size_t i = 0; i < kFireDataColumns.size(); ++i) {
            if (present[i] && !fireData.ReadField(kFireDataColumns[i], values[i])) {
                outcome.status = ConversionOutcome::kBadRecord;
                outcome.record = n + 1;
                outcome.detail = kFireDataColumns[i];
                layout.CancelUpdate();
                return outcome;
            }
        }
        store::CueRecord cue = FireOneCue(n, values[0], values[1], values[2], values[3]);
        if (!WriteCue(layout, cue)) {
            outcome.status = ConversionOutcome::kWriteFailed;
            outcome.detail = layout.GetLastErrorText();
            layout.CancelUpdate();
            return outcome;
        }
        cues.push_back(std::move(cue));
        rows->MoveNext();
    }
    if (!layout.Update()) {
        outcome.status = ConversionOutcome::kWriteFailed;
        outcome.detail = layout.GetLastErrorText();
        return outcome;
    }
    layout.Close();
    return outcome;
}

} // namespace editor
