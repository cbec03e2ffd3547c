#pragma once

#include "show/Cue.h"
#include "show/Failure.h"
#include "show/WorkProgress.h"

#include <functional>
#include <string>
#include <vector>

class CADODataBase;

namespace show {

// The columns a reader takes from each record, by what it reads them for.
enum class CueFields
{
    kShown,    // every column but HostIndex: the show as a window holds it
    kSent,     // what a cue frame carries: neither FlowID nor HostIndex
    kHostName, // the host name alone
};

// The one reader of show tables. Runs `query` on the open database `db`
// and hands each record to `visit` in the order the query delivers them, as
// they come, never holding them all. A column that cannot be read ends the
// walk at that record: a missing column or a value of the wrong kind must not
// become a plausible made-up cue. NULL reads as 0 or the empty text, and is
// noted in the record's `nulls`.
// Raises Failure: kTableNotOpened (the query cannot be run or read to its
// end), kBadField (the record from 1, the field), and what `visit` raises.
void ForEachCueRecord(CADODataBase& db, const std::string& query, CueFields fields,
                      const std::function<void(Cue&)>& visit);

// The same, gathered: every record or, with the failure, none.
std::vector<Cue> ReadCueRecords(CADODataBase& db, const std::string& query, CueFields fields);

// Each cue of the show table of an open store, in store order, with the
// columns `fields` names, handed to `visit` as it is read; no more than one
// is held at a time; `expected` is told how many are to come, where the
// engine knows. Raises as ReadShowTable.
void ForEachShowCue(CADODataBase& db, CueFields fields, const std::function<void(Cue&)>& visit,
                    const std::function<void(std::size_t)>& expected = {});

// One reader of a run of the show: its cues as they are read, and how many
// to expect where the engine knows.
struct ShowRun
{
    std::function<void(Cue&)> visit;
    std::function<void(std::size_t)> expected;
    // On the run's own thread, once its last cue has come.
    std::function<void()> finished;
};

// How many runs a show is best read in here: one for each core, up to a few.
std::size_t ShowReadingRuns();

// Every cue of the show table, as ForEachShowCue, read in up to
// `runs.size()` runs at once, each on a thread of its own: each run's cues
// come before those of the next in the table's order. A run's reader need
// not be safe with the others'. Returns how many runs were read; the first
// takes every cue where the engine reads in one. Raises as ForEachShowCue,
// a record named by its place in the whole table.
std::size_t ForEachShowCueInRuns(CADODataBase& db, CueFields fields,
                                 const std::vector<ShowRun>& runs);

// The same for a store by path, opened and closed here. Raises as
// ReadShowFile.
std::size_t ForEachShowFileCueInRuns(const std::string& path, CueFields fields,
                                     const std::vector<ShowRun>& runs);

// The same for a store by path, opened and closed here. Raises as
// ReadShowFile.
void ForEachShowFileCue(const std::string& path, CueFields fields,
                        const std::function<void(Cue&)>& visit);

// Every cue of the show table of an open store, in store order, with the
// columns `fields` names, each record read a step of `progress`. Raises
// Failure: kNoLayoutTable, and those of ForEachCueRecord; Cancelled when
// `progress` asks to stop.
std::vector<Cue> ReadShowTable(CADODataBase& db, WorkProgress& progress = WorkProgress::None(),
                               CueFields fields = CueFields::kShown);

// The same for a store by path, opened and closed here. Raises Failure:
// kStoreNotOpened, and those of ReadShowTable.
std::vector<Cue> ReadShowFile(const std::string& path,
                              WorkProgress& progress = WorkProgress::None());

} // namespace show
