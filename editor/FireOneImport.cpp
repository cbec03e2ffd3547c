#include "editor/FireOneImport.h"

#include "editor/FireDataConversion.h"
#include "editor/FireOneStoreMaking.h"
#include "editor/NewStoreChoice.h"
#include "editor/OpenShowStore.h"
#include "editor/ShowStoreFileChoice.h"
#include "messages/FailureMessage.h"
#include "messages/ImportMessage.h"
#include "prompt/Prompt.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/FireRecord.h"
#include "show/Show.h"
#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "store/StoreCloser.h"
#include "store/TableRows.h"

#include <optional>

namespace editor {

namespace {

// Says how many cues of a first import came from FireOne records with NULLs
// (read as 0); nothing when none did.
void SayNullFireRecords(ShowContext& show, const std::vector<show::Cue>& cues)
{
    if (const int nulls = show::CuesFromNullFireRecords(cues); nulls > 0)
        show.prompt.ShowMessage(messages::NullFireRecordsText(nulls),
                                prompt::MessageIcon::Information);
}

// Shows the cues of a committed show table and makes its store the current one.
void ShowCues(ShowContext& show, std::vector<show::Cue>& cues, const std::string& path)
{
    show.model.Replace(std::move(cues));
    show.storePath = path;
}

// An SQLite FireOne file becomes a show store itself.
void ConvertFileInPlace(ShowContext& show, const std::string& path)
{
    std::vector<show::Cue> cues;
    switch (ConvertInPlace(show, path, cues)) {
    case StoreMaking::kMade:
        SayNullFireRecords(show, cues);
        ShowCues(show, cues, path);
        return;
    case StoreMaking::kFoundMade:
        break;
    }
    show::RequireShowTableColumns(show.db, path);
    ShowStoredTable(show, show.db, path);
}

// A show store made from the FireOne file in `source` before: brought up to
// the FireOne show as it is now, then shown.
void ReimportAndShow(ShowContext& show, CADODataBase& source, CADODataBase& target,
                     const std::string& path, ShowUpdate update)
{
    std::vector<show::Cue> cues;
    switch (ReimportFireOne(show, source, target, update, cues)) {
    case Reimport::kUpdated:
        ShowCues(show, cues, path);
        return;
    case Reimport::kUnchanged:
    case Reimport::kKeptAsItStands:
        break;
    }
    ShowStoredTable(show, target, path);
}

// The chosen new store exists already: brought up to the FireOne show and
// loaded when it is a show store, else refused (kNotAShowStore) and left alone.
void OpenExistingStore(ShowContext& show, const std::string& path, ShowUpdate update)
{
    CADODataBase existing;
    if (!existing.Open(store::ConnectionStringFor(path), "", "") ||
        existing.GetConnection()->IsReadOnlyFormat() || !store::HasLayoutTable(existing))
        throw show::Failure(show::FailureCode::kNotAShowStore).WithName(path);
    store::StoreCloser closer(existing);
    show::RequireShowTableColumns(existing, path);
    ReimportAndShow(show, show.db, existing, path, update);
}

// An Access FireOne file (read-only here), or one whose new store is asked
// for, gets a new SQLite show store.
bool ImportIntoNewStore(ShowContext& show, const std::string& source, ShowUpdate update)
{
    if (!HasFireData(show.db))
        return false; // not a FireOne file, and nothing to say
    const std::optional<std::string> path = show.prompt.ChooseSaveFile(NewStoreChoice(source));
    if (!path)
        return false;
    if (StoreIsThere(*path)) {
        OpenExistingStore(show, *path, update);
        return true;
    }
    // A show table of the FireOne file's own is copied as it stands.
    if (store::HasLayoutTable(show.db))
        show::RequireShowTableColumns(show.db, source);
    std::vector<show::Cue> cues;
    bool copiedLayout = false;
    if (MakeNewStore(show, *path, cues, copiedLayout) == StoreMaking::kFoundMade) {
        OpenExistingStore(show, *path, update);
    } else if (!copiedLayout) {
        SayNullFireRecords(show, cues);
        ShowCues(show, cues, *path);
    } else {
        ShowStoreFile(show, *path);
    }
    return true;
}

// The import of the FireOne file open in `show.db`: true once its show is in
// the grid. Raises show::Failure.
bool Import(ShowContext& show, const std::string& path, StorePlace place, ShowUpdate update)
{
    if (show.db.GetConnection()->IsReadOnlyFormat() || place == StorePlace::kNewStore)
        return ImportIntoNewStore(show, path, update);
    // Imported before: FireData is read row by row, never held whole beside
    // the show. Without FireData it is no FireOne file.
    if (store::HasLayoutTable(show.db)) {
        if (!HasFireData(show.db))
            return false;
        show::RequireShowTableColumns(show.db, path);
        ReimportAndShow(show, show.db, show.db, path, update);
        return true;
    }
    // FireData opened without its rows, which the conversion reads as they
    // come: held whole, they would cost more than the show they make.
    show.rs = CADORecordset(&show.db);
    if (show.rs.Open(std::string("SELECT * FROM ") + store::kFireDataTable + " WHERE 0",
                     modeQuery)) {
        ConvertFileInPlace(show, path);
        return true;
    }
    // No FireData: not a FireOne file, and nothing to say. Any other failure
    // is the user's to know.
    if (show.rs.GetLastErrorCode() != static_cast<std::uint32_t>(ado::DB_E_NOTABLE))
        throw show::Failure(show::FailureCode::kFireOneNotRead)
            .WithDetail(show.rs.GetLastErrorText());
    return false;
}

} // namespace

bool ImportFireOne(ShowContext& show, StorePlace place, ShowUpdate update)
{
    const std::optional<std::string> path = show.prompt.ChooseOpenFile(FireOneFileChoice());
    if (!path)
        return false;
    // The access layer's text, as Open shows it.
    messages::InStep(messages::Doing::kOpening, [&] { show::OpenStoreFile(show.db, *path); });
    store::StoreCloser closer(show.db);
    return show::StoreWork([&] { return Import(show, *path, place, update); });
}

} // namespace editor
