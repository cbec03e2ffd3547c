#include "show/ShowSaver.h"

#include "show/HostNameRules.h"
#include "show/ShowReader.h"
#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "store/StoreCloser.h"
#include "store/Transaction.h"

namespace show {

namespace {

// The names to store for the changed cues, trimmed; raises the first refusal.
std::vector<std::string> NamesToStore(const Show& show, const std::vector<CueIndex>& changed)
{
    std::vector<std::string> names;
    names.reserve(changed.size());
    for (const CueIndex cue : changed) {
        const std::string& name = show[cue].HostName;
        CheckStoredHostName(name, static_cast<int>(cue) + 1);
        names.push_back(TrimHostName(name));
    }
    return names;
}

bool SameCue(const Cue& read, const Cue& stored)
{
    return read.FlowID == stored.FlowID && read.BlastTime == stored.BlastTime &&
           read.Addr == stored.Addr && read.Channel == stored.Channel;
}

// What the store holds now, against what was read.
void RefuseChangedStore(const Show& show, const std::vector<Cue>& stored,
                        const std::vector<CueIndex>& changed, const std::vector<std::string>& names)
{
    const Failure changedStore(FailureCode::kStoreChanged);
    if (stored.size() != show.Size())
        throw changedStore;
    for (CueIndex cue = 0; cue < stored.size(); ++cue)
        if (!SameCue(show[cue], stored[cue]))
            throw changedStore;
    // A name another program gave a cue this save changes would be lost,
    // unless it is the very name this save writes.
    for (std::size_t i = 0; i < changed.size(); ++i) {
        const std::string& now = stored[changed[i]].HostName;
        if (now != show.SavedHostName(changed[i]) && now != names[i])
            throw changedStore;
    }
}

void WriteNames(CADODataBase& db, const std::vector<CueIndex>& changed,
                const std::vector<std::string>& names, WorkProgress& progress)
{
    CADORecordset rs(&db);
    if (!rs.Open(store::kLayoutTable, modeTable))
        throw Failure(FailureCode::kTableNotOpened).WithDetail(rs.GetLastErrorText());
    const ado::RecordsetPtr records = rs.GetRecordset();
    records->MoveFirst();
    std::size_t next = 0;
    for (CueIndex cue = 0; next < changed.size(); ++cue, records->MoveNext()) {
        if (cue != changed[next])
            continue;
        records->PutCollect("HostName", ado::Variant::Bstr(names[next]));
        records->Update();
        progress.Step(++next, changed.size());
    }
    rs.Close();
}

} // namespace

void SaveHostNames(CADODataBase& db, Show& show, WorkProgress& progress)
{
    const std::vector<CueIndex> changed = show.ChangedCues();
    const std::vector<std::string> names = NamesToStore(show, changed);
    std::vector<std::string> now;
    StoreWork([&] {
        store::Transaction transaction(*db.GetConnection());
        const std::vector<Cue> stored = ReadShowTable(db, progress);
        RefuseChangedStore(show, stored, changed, names);
        if (!changed.empty())
            WriteNames(db, changed, names, progress);
        progress.BeforeCommit();
        transaction.Commit();
        now.reserve(stored.size());
        for (const Cue& cue : stored)
            now.push_back(cue.HostName);
    });
    for (std::size_t i = 0; i < changed.size(); ++i)
        now[changed[i]] = names[i];
    show.AcceptStoredNames(now);
}

void SaveHostNamesToFile(const std::string& path, Show& show, WorkProgress& progress)
{
    NamesToStore(show, show.ChangedCues());
    CADODataBase db;
    OpenStoreFile(db, path);
    store::StoreCloser closer(db);
    SaveHostNames(db, show, progress);
}

} // namespace show
