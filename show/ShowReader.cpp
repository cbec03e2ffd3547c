#include "show/ShowReader.h"

#include "show/Cue.h"
#include "show/Failure.h"
#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/FieldText.h"
#include "store/LayoutTable.h"
#include "store/StoreCloser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <strings.h>

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

void Walk(CADORecordset& rs, CueFields fields, const std::function<void(Cue&)>& visit)
{
    const ado::RecordsetPtr records = rs.GetRecordset();
    int record = 0;
    for (; !records->EndOfFile(); records->MoveNext()) {
        Cue cue;
        ++record;
        if (const char* field = ReadRecord(rs, fields, cue))
            throw Failure(FailureCode::kBadField).WithRow(record).WithName(field);
        visit(cue);
    }
    rs.Close();
}

// Opens the source, walks it and closes it again on every way out.
void OpenAndWalk(CADORecordset& rs, const std::string& source, OpenMode mode, CueFields fields,
                 const std::function<void(CADORecordset&)>& before,
                 const std::function<void(Cue&)>& visit)
{
    StoreWork([&] {
        if (!rs.Open(source, mode))
            throw Failure(FailureCode::kTableNotOpened).WithDetail(rs.GetLastErrorText());
        const auto closer = [&rs] {
            try {
                rs.Close();
            } catch (const std::exception&) {
                // the rows go with the connection
            }
        };
        try {
            before(rs);
            Walk(rs, fields, visit);
        } catch (...) {
            closer();
            throw;
        }
    });
}

} // namespace

void ForEachCueRecord(CADORecordset& rs, const std::string& source, OpenMode mode, CueFields fields,
                      const std::function<void(Cue&)>& visit)
{
    OpenAndWalk(
        rs, source, mode, fields, [](CADORecordset&) {}, visit);
}

std::vector<Cue> ReadCueRecords(CADORecordset& rs, const std::string& source, OpenMode mode,
                                CueFields fields)
{
    std::vector<Cue> cues;
    OpenAndWalk(
        rs, source, mode, fields,
        [&cues](CADORecordset& opened) {
            cues.reserve(
                static_cast<std::size_t>(std::max(0L, opened.GetRecordset()->RecordCount())));
        },
        [&cues](Cue& cue) { cues.push_back(std::move(cue)); });
    return cues;
}

std::vector<Cue> ReadShowTable(CADODataBase& db, WorkProgress& progress)
{
    std::vector<Cue> cues;
    std::array<std::optional<std::size_t>, std::size(kColumns)> at;
    int record = 0;
    store::RowSink sink;
    sink.columns = [&at](const std::vector<store::ColumnInfo>& columns) {
        for (std::size_t c = 0; c < std::size(kColumns); ++c)
            for (std::size_t i = 0; i < columns.size(); ++i)
                if (strcasecmp(columns[i].name.c_str(), kColumns[c].name) == 0) {
                    at[c] = i;
                    break;
                }
    };
    sink.expectedRows = [&cues](std::size_t rows) { cues.reserve(rows); };
    sink.row = [&](const std::vector<ado::Variant>& row) {
        ++record;
        Cue cue;
        for (std::size_t c = 0; c < std::size(kColumns); ++c) {
            const Column& column = kColumns[c];
            const bool read =
                at[c] && (column.number ? store::FieldToInteger(row[*at[c]], cue.*column.number)
                                        : store::FieldToText(row[*at[c]], "", cue.*column.text));
            if (!read)
                throw Failure(FailureCode::kBadField).WithRow(record).WithName(column.name);
            if (column.null)
                cue.nulls.*column.null = row[*at[c]].IsNull();
        }
        cues.push_back(std::move(cue));
        progress.Step(cues.size(), 0);
    };
    StoreWork([&] {
        if (!store::HasLayoutTable(db))
            throw Failure(FailureCode::kNoLayoutTable);
        db.GetConnection()->Engine().StreamTable(store::kLayoutTable, sink);
    });
    return cues;
}

std::vector<Cue> ReadShowFile(const std::string& path, WorkProgress& progress)
{
    CADODataBase db;
    OpenStoreFile(db, path);
    store::StoreCloser closer(db);
    return ReadShowTable(db, progress);
}

} // namespace show
