#include "editor/FireDataConversion.h"

#include "resources/strings/FormatText.h"
#include "show/Cue.h"
#include "show/Failure.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/FieldText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <strings.h>

namespace editor {

namespace {

// The four FireData columns the import reads, in the order it reads them.
constexpr std::array<const char*, 4> kFireDataColumns = {"LaunchTimeMS", "Event", "Slat", "Cue"};

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

// A tb_Layout column that a cue fills, from a number or a text of it.
struct LayoutColumn
{
    const char* name;
    std::int32_t show::Cue::*number;
    std::string show::Cue::*text;
};

constexpr LayoutColumn kLayoutColumns[] = {
    {"FlowID", &show::Cue::FlowID, nullptr},       {"HostName", nullptr, &show::Cue::HostName},
    {"HostIndex", &show::Cue::HostIndex, nullptr}, {"BlastTime", &show::Cue::BlastTime, nullptr},
    {"Addr", nullptr, &show::Cue::Addr},           {"Channel", nullptr, &show::Cue::Channel},
    {"CDCode", &show::Cue::CDCode, nullptr},       {"Sector", &show::Cue::Sector, nullptr},
};

// The value of a tb_Layout column for a cue; nothing for a column it has not.
std::optional<ado::Variant> LayoutValue(const show::Cue& cue, const std::string& column)
{
    for (const LayoutColumn& layout : kLayoutColumns) {
        if (!Named(column, layout.name))
            continue;
        if (layout.number)
            return ado::Variant::I4(cue.*layout.number);
        const std::string& text = cue.*layout.text; // empty text stores NULL
        return text.empty() ? ado::Variant::Null() : ado::Variant::Bstr(text);
    }
    return std::nullopt;
}

} // namespace

show::Cue FireOneCue(int n, int launchTimeMs, int event, int slat, int cue)
{
    show::Cue record;
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

FireDataConverter::FireDataConverter(const std::vector<store::ColumnInfo>& columns)
{
    for (std::size_t i = 0; i < kColumns; ++i)
        for (std::size_t c = 0; c < columns.size() && !at_[i]; ++c)
            if (Named(columns[c].name, kFireDataColumns[i]))
                at_[i] = c;
}

show::Cue FireDataConverter::Next(const std::vector<ado::Variant>& row)
{
    for (std::size_t i = 0; i < kColumns; ++i) {
        if (!at_[i] || *at_[i] >= row.size())
            continue;
        const ado::Variant& value = row[*at_[i]];
        if (!store::FieldToInteger(value, values_[i])) {
            const std::optional<std::string> fraction = FractionalText(value);
            throw show::Failure(fraction ? show::FailureCode::kFireOneNotWhole
                                         : show::FailureCode::kFireOneFieldUnreadable)
                .WithRow(converted_ + 1)
                .WithName(kFireDataColumns[i])
                .WithOther(fraction.value_or(""));
        }
    }
    return FireOneCue(converted_++, values_[0], values_[1], values_[2], values_[3]);
}

CueWriter::CueWriter(store::DatabaseEngine& engine)
    : engine_(engine), columns_(engine.OpenTable(store::kLayoutTable).columns)
{
    for (const store::ColumnInfo& column : columns_)
        written_.push_back(LayoutValue(show::Cue{}, column.name).has_value());
}

void CueWriter::Write(const show::Cue& cue)
{
    std::vector<ado::Variant> values;
    values.reserve(columns_.size());
    for (const store::ColumnInfo& column : columns_)
        values.push_back(LayoutValue(cue, column.name).value_or(ado::Variant::Null()));
    engine_.InsertRow(store::kLayoutTable, columns_, values, written_);
}

void ConvertFireData(CADORecordset& fireData, CADODataBase& db, std::vector<show::Cue>& cues,
                     show::WorkProgress& progress)
{
    const ado::RecordsetPtr rows = fireData.GetRecordset();
    const std::size_t count = rows->Fields().size();
    FireDataConverter converter(rows->Fields());
    CueWriter writer(db.GetConnection()->Engine());
    const auto total = static_cast<std::size_t>(std::max(0L, rows->RecordCount()));
    cues.reserve(total);
    std::vector<ado::Variant> row(count);
    for (; !rows->EndOfFile(); rows->MoveNext()) {
        for (std::size_t i = 0; i < count; ++i)
            row[i] = rows->GetFieldValue(i);
        show::Cue cue = converter.Next(row);
        writer.Write(cue);
        cues.push_back(std::move(cue));
        progress.Step(cues.size(), total);
    }
}

bool HasFireData(CADODataBase& db)
{
    for (const store::TableEntry& table : db.GetConnection()->Engine().ListTables())
        if (table.type == "TABLE" && strcasecmp(table.name.c_str(), store::kFireDataTable) == 0)
            return true;
    return false;
}

} // namespace editor
