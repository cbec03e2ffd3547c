#include "show/FireRecord.h"

#include "resources/strings/FormatText.h"
#include "show/Failure.h"
#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/FieldText.h"
#include "store/LayoutTable.h"
#include "store/StoreCloser.h"

#include <algorithm>
#include <cmath>
#include <strings.h>
#include <unordered_map>

namespace show {

namespace {

// The four FireData columns the import reads, in the order it reads them,
// with where a NULL in each is noted.
struct FireDataColumn
{
    const char* name;
    bool FireRecordNulls::*null;
};
constexpr std::array<FireDataColumn, 4> kFireDataColumns = {{
    {"LaunchTimeMS", &FireRecordNulls::LaunchTime},
    {"Event", &FireRecordNulls::Event},
    {"Slat", &FireRecordNulls::Module},
    {"Cue", &FireRecordNulls::CueNumber},
}};

bool Named(const std::string& name, const char* wanted)
{
    return strcasecmp(name.c_str(), wanted) == 0;
}

// A value with a fraction (1500.5), as the user would write it; nothing for
// a value that is no number, or a whole one out of range.
std::optional<std::string> FractionalText(const ado::Variant& value)
{
    double number = 0;
    switch (value.vt()) {
    case ado::VT_R4:
        number = static_cast<double>(value.fltVal());
        break;
    case ado::VT_R8:
        number = value.dblVal();
        break;
    case ado::VT_DECIMAL:
        number = value.decVal().ToDouble();
        break;
    default:
        return std::nullopt;
    }
    if (!std::isfinite(number) || number == std::trunc(number))
        return std::nullopt;
    return strings::FormatText("%.15g", number);
}

bool SameFireOneFields(const Cue& a, const Cue& b)
{
    return a.BlastTime == b.BlastTime && a.Addr == b.Addr && a.Channel == b.Channel &&
           a.CDCode == b.CDCode;
}

// As printf's "%02lld": a number below ten and not negative gets a leading
// zero. Made by the hundred thousand, so not through printf.
std::string TwoDigits(long long number)
{
    if (number >= 0 && number < 10)
        return {'0', static_cast<char>('0' + number)};
    return std::to_string(number);
}

} // namespace

Cue FireOneCue(int n, int launchTimeMs, int event, int slat, int cue)
{
    Cue record;
    record.FlowID = n;
    record.HostName = store::kDefaultHostName;
    record.HostIndex = 1;
    record.BlastTime = launchTimeMs;
    record.Addr = TwoDigits(slat);
    record.Channel = TwoDigits(static_cast<long long>(cue) - 1); // no overflow at INT_MIN
    record.CDCode = event;
    record.Sector = 0;
    return record;
}

FireDataConverter::FireDataConverter(const std::vector<store::ColumnInfo>& columns)
{
    for (std::size_t i = 0; i < kColumns; ++i)
        for (std::size_t c = 0; c < columns.size() && !at_[i]; ++c)
            if (Named(columns[c].name, kFireDataColumns[i].name))
                at_[i] = c;
}

Cue FireDataConverter::Next(const std::vector<ado::Variant>& row)
{
    FireRecordNulls nulls;
    for (std::size_t i = 0; i < kColumns; ++i) {
        if (!at_[i] || *at_[i] >= row.size())
            continue;
        const ado::Variant& value = row[*at_[i]];
        nulls.*kFireDataColumns[i].null = value.IsEmptyOrNull();
        if (!store::FieldToInteger(value, values_[i])) {
            const std::optional<std::string> fraction = FractionalText(value);
            const FailureCode notWhole =
                i == 0 ? FailureCode::kFireOneTimeNotWhole : FailureCode::kFireOneNotWhole;
            throw Failure(fraction ? notWhole : FailureCode::kFireOneFieldUnreadable)
                .WithRow(converted_ + 1)
                .WithName(kFireDataColumns[i].name)
                .WithOther(fraction.value_or(""));
        }
    }
    Cue cue = FireOneCue(converted_++, values_[0], values_[1], values_[2], values_[3]);
    cue.fire = nulls;
    return cue;
}

bool HasFireData(CADODataBase& db)
{
    for (const store::TableEntry& table : db.GetConnection()->Engine().ListTables())
        if (table.type == "TABLE" && strcasecmp(table.name.c_str(), store::kFireDataTable) == 0)
            return true;
    return false;
}

int CuesFromNullFireRecords(const std::vector<Cue>& cues)
{
    return static_cast<int>(
        std::count_if(cues.begin(), cues.end(), [](const Cue& cue) { return cue.fire.Any(); }));
}

std::vector<Cue> ReadNullFireRecordCues(const std::string& storePath)
{
    CADODataBase db;
    std::vector<Cue> found;
    StoreWork([&] {
        OpenStoreFile(db, storePath);
        const store::StoreCloser closer(db);
        if (!HasFireData(db))
            return;
        std::optional<FireDataConverter> converter;
        store::RowSink sink;
        sink.columns = [&](const std::vector<store::ColumnInfo>& columns) {
            converter.emplace(columns);
        };
        sink.row = [&](const std::vector<ado::Variant>& row) {
            Cue cue = converter->Next(row);
            if (cue.fire.Any())
                found.push_back(std::move(cue));
        };
        try {
            db.GetConnection()->Engine().StreamTable(store::kFireDataTable, sink);
        } catch (const Failure&) {
            // A record changed since into one no import takes: the cues
            // before it are still the import's.
        }
    });
    return found;
}

void NoteFireRecordNulls(std::vector<Cue>& cues, const std::vector<Cue>& fromNullRecords)
{
    if (fromNullRecords.empty())
        return;
    std::unordered_map<std::int32_t, const Cue*> byFlowId;
    for (const Cue& record : fromNullRecords)
        byFlowId.emplace(record.FlowID, &record);
    for (Cue& cue : cues) {
        const auto found = byFlowId.find(cue.FlowID);
        if (found != byFlowId.end() && SameFireOneFields(cue, *found->second))
            cue.fire = found->second->fire;
    }
}

} // namespace show
