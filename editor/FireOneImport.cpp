#include "FireOneImport.h"

#include "ADODataBase.h"
#include "ADORecordset.h"
#include "FailureText.h"
#include "FireDataConversion.h"
#include "LayoutTable.h"
#include "LoadOutcomeReport.h"
#include "LoadShowTable.h"
#include "NewStoreChoice.h"
#include "Prompt.h"
#include "ShowStoreFileChoice.h"
#include "StoreCloser.h"
#include "TableCopy.h"
#include "Transaction.h"
#include "strings/FormatText.h"
#include "strings/Strings.h"

#include <filesystem>
#include <optional>

namespace editor {

namespace {

void Stop(ShowContext& show, const std::string& text)
{
    show.prompt.ShowMessage(text, prompt::MessageIcon::Stop);
}

std::string DescriptionOf(const CADODataBase& db)
{
    const std::string description = db.GetLastErrorDescription();
    return description.empty() ? db.GetLastErrorText() : description;
}

// Creates tb_Layout in `db`; false after telling the user why it could not be.
bool CreateLayoutTable(ShowContext& show, CADODataBase& db)
{
    if (db.Execute(store::kCreateLayoutTableSql))
        return true;
    Stop(show, strings::FormatText(strings::kImportStoreNotCreated, DescriptionOf(db).c_str()));
    return false;
}

// Converts FireData into the new tb_Layout of `db`; false after telling the
// user why not.
bool Convert(ShowContext& show, CADORecordset& fireData, CADODataBase& db,
             std::vector<store::CueRecord>& cues)
{
    const ConversionOutcome outcome = ConvertFireData(fireData, db, cues);
    switch (outcome.status) {
    case ConversionOutcome::kConverted:
        return true;
    case ConversionOutcome::kBadRecord:
        Stop(show,
             strings::FormatText(strings::kImportBadField, outcome.record, outcome.detail.c_str()));
        break;
    case ConversionOutcome::kWriteFailed:
        Stop(show, strings::FormatText(strings::kImportFailed, outcome.detail.c_str()));
        break;
    }
    return false;
}

// Shows the cues of a committed show table and makes its store the current one.
bool ShowCues(ShowContext& show, const std::vector<store::CueRecord>& cues, const std::string& path)
{
    try {
        FillCueGrid(cues, show.grid);
    } catch (const std::exception& error) {
        // Half a show belongs to no file: Save must not pair it with one.
        show.storePath.clear();
        Stop(show, strings::FormatText(strings::kLoadFailed, error.what()));
        return false;
    }
    show.storePath = path;
    return true;
}

// Loads the show table of `db` as Open does.
bool LoadStoredShow(ShowContext& show, CADODataBase& db, CADORecordset& rs, const std::string& path)
{
    if (!ReportLoadOutcome(show, db, LoadShowTable(rs, show.grid)))
        return false;
    show.storePath = path;
    return true;
}

// An SQLite FireOne file becomes a show store itself.
bool ConvertInPlace(ShowContext& show, const std::string& path)
{
    std::vector<store::CueRecord> cues;
    std::optional<store::Transaction> transaction;
    try {
        transaction.emplace(*show.db.GetConnection());
    } catch (const ado::_com_error& error) {
        Stop(show,
             strings::FormatText(strings::kImportStoreNotCreated, FailureText(error).c_str()));
        return false;
    }
    if (!CreateLayoutTable(show, show.db) || !Convert(show, show.rs, show.db, cues))
        return false; // the transaction undoes the table
    transaction->Commit();
    transaction.reset();
    return ShowCues(show, cues, path);
}

// The chosen new store exists already: loaded when it is a show store, else
// refused and left alone.
bool LoadExistingStore(ShowContext& show, const std::string& path)
{
    CADODataBase existing;
    if (!existing.Open(store::ConnectionStringFor(path), "", "") ||
        existing.GetConnection()->IsReadOnlyFormat() || !store::HasLayoutTable(existing)) {
        Stop(show, strings::FormatText(strings::kImportNotShowStore, path.c_str()));
        return false;
    }
    StoreCloser closer(existing);
    CADORecordset rs(&existing);
    return LoadStoredShow(show, existing, rs, path);
}

// Fills the new store `target` in one transaction: a copy of FireData, and the
// show table converted from it, or copied from the Access file's own when it
// was imported before. False after telling the user why not.
bool FillNewStore(ShowContext& show, CADODataBase& target, std::vector<store::CueRecord>& cues,
                  bool& copiedLayout)
{
    store::Transaction transaction(*target.GetConnection());
    store::CopyTable(*show.rs.GetRecordset(), store::kFireDataTable, target);
    if (!CreateLayoutTable(show, target))
        return false;
    copiedLayout = store::HasLayoutTable(show.db);
    if (copiedLayout) {
        CADORecordset stored(&show.db);
        if (!stored.Open(store::kLayoutTable, modeTable)) {
            Stop(show, strings::FormatText(strings::kImportSourceUnreadable,
                                           stored.GetLastErrorText().c_str()));
            return false;
        }
        store::AppendRows(*stored.GetRecordset(), store::kLayoutTable, target);
    } else {
        CADORecordset fireData(&target);
        if (!fireData.Open(store::kFireDataTable, modeTable)) {
            Stop(show,
                 strings::FormatText(strings::kImportFailed, fireData.GetLastErrorText().c_str()));
            return false;
        }
        if (!Convert(show, fireData, target, cues))
            return false;
    }
    transaction.Commit();
    return true;
}

// An Access FireOne file (read-only here) gets a new SQLite show store.
bool ImportIntoNewStore(ShowContext& show, const std::string& source)
{
    const std::optional<std::string> path = show.prompt.ChooseSaveFile(NewStoreChoice(source));
    if (!path)
        return false;
    std::error_code error;
    if (std::filesystem::symlink_status(*path, error).type() !=
        std::filesystem::file_type::not_found)
        return LoadExistingStore(show, *path);

    CADODataBase target;
    if (!target.Create(store::ConnectionStringFor(*path))) {
        Stop(show,
             strings::FormatText(strings::kImportStoreNotCreated, DescriptionOf(target).c_str()));
        return false;
    }
    std::vector<store::CueRecord> cues;
    bool copiedLayout = false;
    bool filled = false;
    try {
        filled = FillNewStore(show, target, cues, copiedLayout);
    } catch (const ado::_com_error& failure) {
        Stop(show, strings::FormatText(strings::kImportFailed, FailureText(failure).c_str()));
    }
    if (!filled) {
        // Nothing was committed: the file this import made goes again.
        target.Close();
        std::filesystem::remove(*path, error);
        return false;
    }
    StoreCloser closer(target);
    if (!copiedLayout)
        return ShowCues(show, cues, *path);
    CADORecordset rs(&target);
    return LoadStoredShow(show, target, rs, *path);
}

} // namespace

bool ImportFireOne(ShowContext& show)
{
    const std::optional<std::string> path = show.prompt.ChooseOpenFile(ShowStoreFileChoice());
    if (!path)
        return false;
    if (!show.db.Open(store::ConnectionStringFor(*path), "", "")) {
        show.prompt.ShowMessage(show.db.GetLastErrorText(), prompt::MessageIcon::None);
        return false;
    }
    StoreCloser closer(show.db);
    try {
        show.rs = CADORecordset(&show.db);
        if (!show.rs.Open(store::kFireDataTable, modeTable)) {
            // No FireData: not a FireOne file, and nothing to say. Any other
            // failure is the user's to know.
            if (show.rs.GetLastErrorCode() != static_cast<std::uint32_t>(ado::DB_E_NOTABLE))
                Stop(show, strings::FormatText(strings::kImportSourceUnreadable,
                                               show.rs.GetLastErrorText().c_str()));
            return false;
        }
        if (show.db.GetConnection()->IsReadOnlyFormat())
            return ImportIntoNewStore(show, *path);
        if (store::HasLayoutTable(show.db))
            return LoadStoredShow(show, show.db, show.rs, *path);
        return ConvertInPlace(show, *path);
    } catch (const ado::_com_error& error) {
        Stop(show, strings::FormatText(strings::kImportFailed, FailureText(error).c_str()));
        return false;
    }
}

} // namespace editor
