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
        TableOrderDigester inOrder;
        if (ReadInTableOrder(db, [&] {
                show::ForEachShowCue(
                    db, show::CueFields::kSent,
                    [&inOrder](show::Cue& cue) {
                        if (inOrder.KeptCount() == TableOrderDigester::kMostKept)
                            throw show::Failure(show::FailureCode::kDatabase); // to the query
                        inOrder.Add(cue);
                    },
                    [&inOrder](std::size_t cues) {
                        inOrder.Reserve(std::min(cues, TableOrderDigester::kMostKept));
                    });
            }))
            return inOrder.Finish();
        ShowDigester digester;
        show::ForEachCueRecord(db, kDownloadQuery, show::CueFields::kSent,
                               [&digester](show::Cue& cue) { digester.Add(cue); });
        return digester.Finish();
    });
}

} // namespace hostlink
