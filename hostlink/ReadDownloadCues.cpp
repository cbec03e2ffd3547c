#include "hostlink/ReadDownloadCues.h"

#include "hostlink/DownloadOrder.h"
#include "hostlink/FrameDigest.h"
#include "show/Cue.h"
#include "show/Failure.h"
#include "show/ShowReader.h"
#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/LayoutTable.h"
#include "store/StoreCloser.h"
#include "store/TableRows.h"

#include <algorithm>
#include <exception>

namespace hostlink {

namespace {

// The store at `path` opened, its show table there, for `read`.
template <typename Read> auto WithShowTable(const std::string& path, Read read)
{
    CADODataBase db;
    show::StoreWork([&] {
        show::OpenStoreFile(db, path);
        if (!store::HasLayoutTable(db))
            throw show::Failure(show::FailureCode::kNoLayoutTable);
    });
    store::StoreCloser closer(db);
    return read(db);
}

// Whether the show can be read in the table's order and put in the
// download's order here, sparing the query's sort: SQLite sorts whole rows,
// the longest part of reading a field's show. Not for a view, whose order is
// its own query's, nor for a table that lacks a column.
bool InTableOrder(CADODataBase& db)
{
    try {
        return show::StoreWork([&] {
            return store::HasPlainTable(db, store::kLayoutTable) &&
                   store::MissingLayoutColumns(db).empty();
        });
    } catch (const show::Failure&) {
        return false;
    }
}

// Reads the show in the table's order with `read`; false when it cannot
// be, and the query then gives the cues, or its own failure, as ever: a
// record that cannot be read is named by its place in the query's order.
template <typename Read> bool ReadInTableOrder(CADODataBase& db, Read read)
{
    if (!InTableOrder(db))
        return false;
    try {
        read();
        return true;
    } catch (const show::Failure&) {
        return false;
    }
}

} // namespace

std::vector<show::Cue> ReadDownloadCues(const std::string& path)
{
    return WithShowTable(path, [](CADODataBase& db) {
        std::vector<show::Cue> cues;
        if (ReadInTableOrder(db, [&] {
                cues = show::ReadShowTable(db, show::WorkProgress::None(), show::CueFields::kSent);
            })) {
            PutInDownloadOrder(cues);
            return cues;
        }
        return show::ReadCueRecords(db, kDownloadQuery, show::CueFields::kSent);
    });
}

std::optional<std::string> ReadDownloadDigest(const std::string& path)
{
    return WithShowTable(path, [](CADODataBase& db) {
        // The show read in runs, one for each core, each kept apart and then
        // digested in the table's order; past its share of the most kept,
        // the query takes over. Each on cache lines of its own, as each
        // is written by its own thread.
        struct alignas(64) RunDigester : TableOrderDigester
        {
        };
        std::vector<RunDigester> parts(show::ShowReadingRuns());
        const std::size_t most = TableOrderDigester::kMostKept / parts.size();
        std::vector<show::ShowRun> runs;
        std::vector<TableOrderDigester*> digesters;
        for (TableOrderDigester& part : parts) {
            runs.push_back({[&part, most](show::Cue& cue) {
                                if (part.KeptCount() == most)
                                    throw show::Failure(show::FailureCode::kDatabase);
                                part.Add(cue);
                            },
                            [&part, most](std::size_t cues) { part.Reserve(std::min(cues, most)); },
                            {}});
            digesters.push_back(&part);
        }
        // The first run's digest begun while the others are still read.
        runs.front().finished = [&first = parts.front()] { first.BeginAsFirst(); };
        if (ReadInTableOrder(
                db, [&] { show::ForEachShowCueInRuns(db, show::CueFields::kSent, runs); })) {
            return TableOrderDigester::Finish(digesters);
        }
        ShowDigester digester;
        show::ForEachCueRecord(db, kDownloadQuery, show::CueFields::kSent,
                               [&digester](show::Cue& cue) { digester.Add(cue); });
        return digester.Finish();
    });
}

} // namespace hostlink
