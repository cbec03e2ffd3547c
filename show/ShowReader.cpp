#include "show/ShowReader.h"

#include "show/Cue.h"
#include "show/Failure.h"
#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/LayoutTable.h"
#include "store/SourceStream.h"
#include "store/StoreCloser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <strings.h>
#include <thread>

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

// Reads the records of a row source into cues, the columns found by name
// once, when the source says what they are.
class CueRows
{
public:
    CueRows(const std::vector<store::ColumnInfo>& columns, CueFields fields) : fields_(fields)
    {
        for (std::size_t c = 0; c < std::size(kColumns); ++c)
            for (std::size_t i = 0; i < columns.size(); ++i)
                if (strcasecmp(columns[i].name.c_str(), kColumns[c].name) == 0) {
                    at_[c] = i;
                    break;
                }
    }

    int RecordsRead() const { return record_; }

    // The next record's cue; raises kBadField at the first column that
    // cannot be read.
    Cue Next(const store::RowCells& row)
    {
        ++record_;
        Cue cue;
        for (std::size_t c = 0; c < std::size(kColumns); ++c) {
            const Column& column = kColumns[c];
            if (!Takes(fields_, column))
                continue;
            bool null = false;
            const bool read =
                at_[c] && (column.number ? row.Integer(*at_[c], cue.*column.number, null)
                                         : row.Text(*at_[c], cue.*column.text, null));
            if (!read)
                throw Failure(FailureCode::kBadField).WithRow(record_).WithName(column.name);
            if (column.null)
                cue.nulls.*column.null = null;
        }
        return cue;
    }

private:
    CueFields fields_;
    std::array<std::optional<std::size_t>, std::size(kColumns)> at_;
    int record_ = 0;
};

} // namespace

void ForEachCueRecord(CADODataBase& db, const std::string& query, CueFields fields,
                      const std::function<void(Cue&)>& visit)
{
    std::optional<CueRows> rows;
    store::RowSink sink;
    sink.columns = [&](const std::vector<store::ColumnInfo>& columns) {
        rows.emplace(columns, fields);
    };
    sink.cells = [&](const store::RowCells& row) {
        Cue cue = rows->Next(row);
        visit(cue);
    };
    StoreWork([&] {
        store::StreamSource(
            query, sink,
            [&](const store::RowSink& watched) {
                db.GetConnection()->Engine().StreamQuery(query, watched);
            },
            [](const std::string& text) {
                throw Failure(FailureCode::kTableNotOpened).WithDetail(text);
            });
    });
}

std::vector<Cue> ReadCueRecords(CADODataBase& db, const std::string& query, CueFields fields)
{
    std::vector<Cue> cues;
    ForEachCueRecord(db, query, fields, [&cues](Cue& cue) { cues.push_back(std::move(cue)); });
    return cues;
}

namespace {

// The sink of the show table, but for what it does with each record: its
// columns found as they come, `reserve` told how many records to expect.
store::RowSink ShowTableSink(std::optional<CueRows>& rows, CueFields fields,
                             const std::function<void(std::size_t)>& reserve)
{
    store::RowSink sink;
    sink.columns = [&rows, fields](const std::vector<store::ColumnInfo>& columns) {
        rows.emplace(columns, fields);
    };
    sink.expectedRows = reserve;
    for (const Column& column : kColumns)
        if (Takes(fields, column))
            sink.onlyColumns.emplace_back(column.name);
    return sink;
}

// The show table's records handed to `take` as cues, `reserve` told how
// many to expect where the engine knows.
void StreamShowTable(CADODataBase& db, CueFields fields, const std::function<void(Cue&&)>& take,
                     const std::function<void(std::size_t)>& reserve)
{
    std::optional<CueRows> rows;
    store::RowSink sink = ShowTableSink(rows, fields, reserve);
    sink.cells = [&rows, &take](const store::RowCells& row) { take(rows->Next(row)); };
    StoreWork([&] {
        if (!store::HasLayoutTable(db))
            throw Failure(FailureCode::kNoLayoutTable);
        db.GetConnection()->Engine().StreamTable(store::kLayoutTable, sink);
    });
}

} // namespace

void ForEachShowCue(CADODataBase& db, CueFields fields, const std::function<void(Cue&)>& visit,
                    const std::function<void(std::size_t)>& expected)
{
    StreamShowTable(
        db, fields, [&visit](Cue&& cue) { visit(cue); }, expected);
}

std::size_t ShowReadingRuns()
{
    return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
}

std::size_t ForEachShowCueInRuns(CADODataBase& db, CueFields fields,
                                 const std::vector<ShowRun>& runs)
{
    struct alignas(64) RunReader // apart from the others', written by its own thread
    {
        std::optional<CueRows> rows;
        bool badRecord = false; // a record of this run could not be read
    };
    std::vector<RunReader> readers(runs.size());
    std::vector<store::RowSink> sinks;
    std::vector<const store::RowSink*> sinkOf;
    for (std::size_t r = 0; r < runs.size(); ++r) {
        RunReader& reader = readers[r];
        const ShowRun& run = runs[r];
        sinks.push_back(ShowTableSink(reader.rows, fields, run.expected));
        sinks.back().finished = run.finished;
        sinks.back().cells = [&reader, &run](const store::RowCells& row) {
            bool read = false;
            try {
                Cue cue = reader.rows->Next(row);
                read = true;
                run.visit(cue);
            } catch (const Failure&) {
                reader.badRecord = !read;
                throw;
            }
        };
    }
    for (const store::RowSink& sink : sinks)
        sinkOf.push_back(&sink);
    try {
        return StoreWork([&] {
            if (!store::HasLayoutTable(db))
                throw Failure(FailureCode::kNoLayoutTable);
            return db.GetConnection()->Engine().StreamTableInRuns(store::kLayoutTable, sinkOf);
        });
    } catch (Failure& failure) {
        // The runs before the one that failed were read whole: its record's
        // place in the table comes after all of theirs.
        int before = 0;
        for (const RunReader& reader : readers) {
            if (reader.badRecord) {
                if (failure.Code() == FailureCode::kBadField)
                    failure.WithRow(before + failure.Row());
                break;
            }
            before += reader.rows ? reader.rows->RecordsRead() : 0;
        }
        throw;
    }
}

std::size_t ForEachShowFileCueInRuns(const std::string& path, CueFields fields,
                                     const std::vector<ShowRun>& runs)
{
    CADODataBase db;
    OpenStoreFile(db, path);
    store::StoreCloser closer(db);
    return ForEachShowCueInRuns(db, fields, runs);
}

void ForEachShowFileCue(const std::string& path, CueFields fields,
                        const std::function<void(Cue&)>& visit)
{
    CADODataBase db;
    OpenStoreFile(db, path);
    store::StoreCloser closer(db);
    ForEachShowCue(db, fields, visit);
}

std::vector<Cue> ReadShowTable(CADODataBase& db, WorkProgress& progress, CueFields fields)
{
    std::vector<Cue> cues;
    StreamShowTable(
        db, fields,
        [&](Cue&& cue) {
            cues.push_back(std::move(cue));
            progress.Step(cues.size(), 0);
        },
        [&cues](std::size_t rows) { cues.reserve(rows); });
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
