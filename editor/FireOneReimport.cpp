#include "editor/FireOneReimport.h"

#include "editor/FireDataConversion.h"
#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
#include "resources/strings/FormatText.h"
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
    sink.row = [&](const std::vector<ado::Variant>& row) {
        cues.push_back(converter->Next(row));
        progress.Step(cues.size(), 0);
    };
    source.GetConnection()->Engine().StreamTable(store::kFireDataTable, sink);
    return cues;
}

// What a guess of the pairing cost, when one was made, as a line of its own
// at `at` in `text`.
std::string WithGuesses(std::string text, std::size_t at, const show::CarryOver& carried)
{
    if (carried.guessed == 0)
        return text;
    std::string left;
    for (const std::string& name : carried.namesLeft)
        left += (left.empty() ? "" : ", ") + name;
    return text.insert(
        at, "\n" + strings::FormatText(strings::kReimportGuessed, carried.guessed,
                                       left.empty() ? strings::kReimportNoNameLeft : left.c_str()));
}

std::string Question(const show::CarryOver& carried)
{
    const std::string text =
        strings::FormatText(strings::kReimportQuestion, carried.added, carried.removed,
                            carried.retimed, carried.kept, carried.fellBack);
    return WithGuesses(text, text.rfind('\n'), carried); // before what No does
}

// What changed, and how many cues came from FireOne records with NULLs.
std::string Done(const show::CarryOver& carried, const std::vector<show::Cue>& cues)
{
    std::string text = strings::FormatText(strings::kReimportDone, carried.added, carried.removed,
                                           carried.retimed, carried.kept, carried.fellBack);
    text = WithGuesses(text, text.size(), carried);
    if (const int nulls = show::CuesFromNullFireRecords(cues); nulls > 0)
        text += "\n" + strings::FormatText(strings::kImportNullFireRecords, nulls);
    return text;
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
    try {
        cues = FireOneCues(source, progress);
        // Asked, the designer answers with no lock held; then the table is
        // read again in the transaction that changes it.
        if (update == ShowUpdate::kAsk) {
            const std::vector<show::Cue> stored = show::ReadShowTable(target, progress);
            const Reimport unchanged = Unchanged(show, cues, stored);
            if (unchanged != Reimport::kUpdated)
                return unchanged;
            std::vector<show::Cue> preview = cues;
            if (!show.prompt.AskYesNo(Question(show::CarryHostNames(preview, stored))))
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
        show.prompt.ShowMessage(Done(carried, cues), prompt::MessageIcon::Information);
        return Reimport::kUpdated;
    } catch (const show::Failure& failure) {
        messages::ShowFailure(show.prompt, failure, messages::Doing::kImporting);
    } catch (const std::exception& error) { // the access layer, memory
        show.prompt.ShowMessage(strings::FormatText(strings::kImportFailed, error.what()),
                                prompt::MessageIcon::Stop);
    }
    return Reimport::kRefused;
}

} // namespace editor
