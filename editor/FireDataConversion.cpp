#include "editor/FireDataConversion.h"

#include "show/Cue.h"
#include "show/Failure.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/SourceStream.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <strings.h>

namespace editor {

// A tb_Layout column that a cue fills, from a number or a text of it.
struct LayoutColumn
{
    const char* name;
    std::int32_t show::Cue::*number;
    std::string show::Cue::*text;
};

namespace {

bool Named(const std::string& name, const char* wanted)
{
    return strcasecmp(name.c_str(), wanted) == 0;
}

constexpr LayoutColumn kLayoutColumns[] = {
    {"FlowID", &show::Cue::FlowID, nullptr},       {"HostName", nullptr, &show::Cue::HostName},
    {"HostIndex", &show::Cue::HostIndex, nullptr}, {"BlastTime", &show::Cue::BlastTime, nullptr},
    {"Addr", nullptr, &show::Cue::Addr},           {"Channel", nullptr, &show::Cue::Channel},
    {"CDCode", &show::Cue::CDCode, nullptr},       {"Sector", &show::Cue::Sector, nullptr},
};

// The tb_Layout column of that name that a cue fills; none for another.
const LayoutColumn* LayoutColumnNamed(const std::string& column)
{
    for (const LayoutColumn& layout : kLayoutColumns)
        if (Named(column, layout.name))
            return &layout;
    return nullptr;
}

ado::Variant LayoutValue(const show::Cue& cue, const LayoutColumn& layout)
{
    if (layout.number)
        return ado::Variant::I4(cue.*layout.number);
    const std::string& text = cue.*layout.text; // empty text stores NULL
    return text.empty() ? ado::Variant::Null() : ado::Variant::Bstr(text);
}

} // namespace

CueWriter::CueWriter(store::DatabaseEngine& engine)
    : engine_(engine), columns_(engine.OpenTable(store::kLayoutTable).columns)
{
    for (const store::ColumnInfo& column : columns_) {
        layout_.push_back(LayoutColumnNamed(column.name));
        written_.push_back(layout_.back() != nullptr);
    }
    rows_.assign(kRowsAtOnce, std::vector<ado::Variant>(columns_.size()));
}

void CueWriter::Write(const show::Cue& cue)
{
    std::vector<ado::Variant>& values = rows_[held_];
    for (std::size_t i = 0; i < columns_.size(); ++i)
        values[i] = layout_[i] ? LayoutValue(cue, *layout_[i]) : ado::Variant::Null();
    if (++held_ == rows_.size())
        WriteHeld();
}

void CueWriter::Finish()
{
    rows_.resize(held_);
    WriteHeld();
    rows_.resize(kRowsAtOnce, std::vector<ado::Variant>(columns_.size()));
}

void CueWriter::WriteHeld()
{
    engine_.WriteRows(store::kLayoutTable, columns_, rows_, written_);
    held_ = 0;
}

void ConvertFireData(CADODataBase& db, std::vector<show::Cue>& cues, show::WorkProgress& progress)
{
    store::DatabaseEngine& engine = db.GetConnection()->Engine();
    std::optional<FireDataConverter> converter;
    std::optional<CueWriter> writer;
    std::size_t total = 0;
    store::RowSink sink;
    sink.columns = [&](const std::vector<store::ColumnInfo>& columns) {
        converter.emplace(columns);
        writer.emplace(engine);
    };
    sink.expectedRows = [&](std::size_t rows) {
        total = rows;
        cues.reserve(rows);
    };
    sink.row = [&](const std::vector<ado::Variant>& row) {
        show::Cue cue = converter->Next(row);
        writer->Write(cue);
        cues.push_back(std::move(cue));
        progress.Step(cues.size(), total);
    };
    // FireData that cannot be read to its end is the FireOne file's failure,
    // as it was when the table was read whole on opening.
    store::StreamSource(
        store::kFireDataTable, sink,
        [&](const store::RowSink& watched) { engine.StreamTable(store::kFireDataTable, watched); },
        [](const std::string& text) {
            throw show::Failure(show::FailureCode::kFireOneNotRead).WithDetail(text);
        });
    if (writer)
        writer->Finish();
}

} // namespace editor
