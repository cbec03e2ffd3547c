#include "editor/FireOneReimport.h"

#include "editor/FireDataConversion.h"
#include "messages/ImportMessage.h"
#include "prompt/Prompt.h"
#include "resources/strings/Strings.h"
#include "show/FireRecord.h"
#include "show/HostNameCarryOver.h"
#include "show/ShowReader.h"
#include "store/ADODataBase.h"
#include "store/HostPlanTable.h"
#include "store/LayoutTable.h"
#include "store/TableCopy.h"
#include "store/TableRows.h"
#include "store/Transaction.h"

#include <optional>

namespace editor {

namespace {

// The cues of the FireOne show as a first import would make them; none when
// the file holds no FireData.
std::vector<show::Cue> FireOneCues(CADODataBase& source, show::WorkProgress& progress)
{
    std::vector<show::Cue> cues;
    if (!HasFireData(source))
        return cues;
    std::optional<FireDataConverter> converter;
    store::RowSink sink;
    sink.columns = [&](const std::vector<store::ColumnInfo>& columns) {
        converter.emplace(columns);
    };
    // Room made at once: a vector grown by doubling touches twice the memory.
    sink.expectedRows = [&cues](std::size_t rows) { cues.reserve(rows); };
    sink.row = [&](const std::vector<ado::Variant>& row) {
        cues.push_back(converter->Next(row));
        progress.Step(cues.size(), 0);
    };
    source.GetConnection()->Engine().StreamTable(store::kFireDataTable, sink);
    return cues;
}

// Rewrites the show table of `target` (`old`, as read in the caller's write
// transaction) with the cues, names carried over from it, and the copy of
// FireData from `source`. Raises what the access layer raises.
show::CarryOver Rewrite(CADODataBase& source, CADODataBase& target, std::vector<show::Cue>& cues,
                        const std::vector<show::Cue>& old, show::WorkProgress& progress)
{
    const show::CarryOver carried = show::CarryHostNames(cues, old);
    store::DatabaseEngine& into = target.GetConnection()->Engine();
    into.Execute(std::string("DELETE FROM ") + store::kLayoutTable);
    CueWriter writer(into);
    for (std::size_t i = 0; i < cues.size(); ++i) {
        writer.Write(cues[i]);
        progress.Step(i + 1, cues.size());
    }
    writer.Finish();
    if (&source != &target) {
        if (store::HasTable(target, store::kFireDataTable))
            into.Execute(std::string("DROP TABLE ") + store::kFireDataTable);
        store::StreamTableCopy(source.GetConnection()->Engine(), store::kFireDataTable, into);
    }
    return carried;
}

// kUpdated when the store must be brought up to the cues; else what to do
// with the store as it stands.
Reimport Unchanged(ShowContext& show, const std::vector<show::Cue>& cues,
                   const std::vector<show::Cue>& stored)
{
    if (cues.empty() && !stored.empty()) {
        show.prompt.ShowMessage(strings::kReimportNoFireData, prompt::MessageIcon::Information);
        return Reimport::kKeptAsItStands;
    }
    return show::SameCuesApartFromHostNames(cues, stored) ? Reimport::kUnchanged
                                                          : Reimport::kUpdated;
}

} // namespace

Reimport ReimportFireOne(ShowContext& show, CADODataBase& source, CADODataBase& target,
                         ShowUpdate update, std::vector<show::Cue>& cues)
{
    show::WorkProgress& progress = show.Progress();
    cues = FireOneCues(source, progress);
    // Asked, the designer answers with no lock held; then the table is
    // read again in the transaction that changes it.
    if (update == ShowUpdate::kAsk) {
        const std::vector<show::Cue> stored = show::ReadShowTable(target, progress);
        const Reimport unchanged = Unchanged(show, cues, stored);
        if (unchanged != Reimport::kUpdated)
            return unchanged;
        std::vector<show::Cue> preview = cues;
        if (!show.prompt.AskYesNo(
                messages::ReimportQuestion(show::CarryHostNames(preview, stored))))
            return Reimport::kKeptAsItStands;
    }
    store::Transaction transaction(*target.GetConnection());
    const std::vector<show::Cue> stored = show::ReadShowTable(target, progress);
    const Reimport unchanged = Unchanged(show, cues, stored);
    if (unchanged != Reimport::kUpdated)
        return unchanged; // nothing written: the transaction ends unused
    const show::CarryOver carried = Rewrite(source, target, cues, stored, progress);
    progress.BeforeCommit();
    transaction.Commit();
    show.prompt.ShowMessage(
        messages::ReimportDoneText(carried, show::CuesFromNullFireRecords(cues)),
        prompt::MessageIcon::Information);
    return Reimport::kUpdated;
}

} // namespace editor
