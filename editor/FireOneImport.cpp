#include "editor/FireOneImport.h"

#include "editor/FireDataConversion.h"
#include "editor/LoadShowTable.h"
#include "editor/NewStoreChoice.h"
#include "editor/ShowStoreFileChoice.h"
#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/Show.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "store/StoreCloser.h"
#include "store/TableCopy.h"
#include "store/Transaction.h"

#include <filesystem>
#include <optional>
#include <strings.h>

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

// Tells the user which FireOne record could not become a cue, and why.
void ReportBadRecord(ShowContext& show, const ConversionOutcome& outcome)
{
    if (!outcome.fractional)
        Stop(show,
             strings::FormatText(strings::kImportBadField, outcome.record, outcome.detail.c_str()));
    else if (outcome.detail == "LaunchTimeMS")
        Stop(show, strings::FormatText(strings::kImportFractionalTime, outcome.record,
                                       outcome.value.c_str()));
    else
        Stop(show, strings::FormatText(strings::kImportFractionalValue, outcome.record,
                                       outcome.detail.c_str(), outcome.value.c_str()));
}

// Converts FireData into the new tb_Layout of `db`; false after telling the
// user why not.
bool Convert(ShowContext& show, CADORecordset& fireData, CADODataBase& db,
             std::vector<show::Cue>& cues)
{
    const ConversionOutcome outcome = ConvertFireData(fireData, db, cues);
    if (outcome.status == ConversionOutcome::kConverted)
        return true;
    ReportBadRecord(show, outcome);
    return false;
}

// Shows the cues of a committed show table and makes its store the current one.
bool ShowCues(ShowContext& show, std::vector<show::Cue>& cues, const std::string& path)
{
    show.model.Replace(std::move(cues));
    show.storePath = path;
    return true;
}

// Loads the show table of `db` as Open does.
bool LoadStoredShow(ShowContext& show, CADODataBase& db, const std::string& path)
{
    try {
        LoadShowTable(db, show.model);
    } catch (const show::Failure& failure) {
        messages::ShowFailure(show.prompt, failure, messages::Doing::kLoading);
        return false;
    }
    show.storePath = path;
    return true;
}

// An SQLite FireOne file becomes a show store itself.
bool ConvertInPlace(ShowContext& show, const std::string& path)
{
    std::vector<show::Cue> cues;
    std::optional<store::Transaction> transaction;
    try {
        transaction.emplace(*show.db.GetConnection());
    } catch (const ado::_com_error& error) {
        Stop(show, strings::FormatText(strings::kImportStoreNotCreated, error.what()));
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
    store::StoreCloser closer(existing);
    return LoadStoredShow(show, existing, path);
}

// Whether the Access file holds FireData, by its catalogue: the table is read
// only once, straight into the new store.
bool HasFireData(CADODataBase& db)
{
    for (const store::TableEntry& table : db.GetConnection()->Engine().ListTables())
        if (table.type == "TABLE" && strcasecmp(table.name.c_str(), store::kFireDataTable) == 0)
            return true;
    return false;
}

// A conversion that stopped at a record that cannot be a cue.
struct ConversionStopped
{
};

// Fills the new store `target` in one transaction: a copy of FireData, and the
// show table converted from it as its rows stream in from the Access file, or
// copied from the Access file's own when it was imported before. False after
// telling the user why not; raises ado::_com_error.
bool FillNewStore(ShowContext& show, CADODataBase& target, std::vector<show::Cue>& cues,
                  bool& copiedLayout)
{
    store::Transaction transaction(*target.GetConnection());
    store::DatabaseEngine& source = show.db.GetConnection()->Engine();
    store::DatabaseEngine& into = target.GetConnection()->Engine();
    copiedLayout = store::HasLayoutTable(show.db);
    if (!CreateLayoutTable(show, target))
        return false;
    std::optional<FireDataConverter> converter;
    std::optional<CueWriter> writer;
    ConversionOutcome outcome;
    store::RowSink convert;
    if (!copiedLayout) {
        convert.columns = [&](const std::vector<store::ColumnInfo>& columns) {
            converter.emplace(columns);
            writer.emplace(into);
        };
        convert.row = [&](const std::vector<ado::Variant>& row) {
            show::Cue cue;
            if (!converter->Next(row, cue, outcome))
                throw ConversionStopped();
            writer->Write(cue);
            cues.push_back(std::move(cue));
        };
    }
    try {
        store::StreamTableCopy(source, store::kFireDataTable, into, convert);
    } catch (const ConversionStopped&) {
        ReportBadRecord(show, outcome);
        return false;
    }
    if (copiedLayout)
        store::StreamRowsInto(source, store::kLayoutTable, into);
    transaction.Commit();
    return true;
}

// Removes a store file and its journal, as far as they are there.
void RemoveStoreFile(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::filesystem::remove(path + "-journal", ignored);
}

// Makes the new store under its temporary name and moves it into place once
// it is committed: a kill or a failure on the way leaves `path` as it was.
// False after telling the user why not.
bool MakeNewStore(ShowContext& show, const std::string& path, std::vector<show::Cue>& cues,
                  bool& copiedLayout)
{
    const std::string temporary = TemporaryStorePath(path);
    RemoveStoreFile(temporary); // what a killed import left
    CADODataBase target;
    if (!target.Create(store::ConnectionStringFor(temporary))) {
        Stop(show,
             strings::FormatText(strings::kImportStoreNotCreated, DescriptionOf(target).c_str()));
        return false;
    }
    bool filled = false;
    try {
        filled = FillNewStore(show, target, cues, copiedLayout);
    } catch (const ado::_com_error& failure) {
        const bool fromSource = failure.Source() == show.db.GetConnection()->Engine().SourceName();
        Stop(show, strings::FormatText(fromSource ? strings::kImportSourceUnreadable
                                                  : strings::kImportFailed,
                                       failure.what()));
    }
    target.Close();
    std::error_code error;
    if (filled) {
        std::filesystem::remove(path + "-journal", error); // an empty leftover's, played back
        std::filesystem::rename(temporary, path, error);
        if (error)
            Stop(show,
                 strings::FormatText(strings::kImportStoreNotCreated, error.message().c_str()));
    }
    if (!filled || error) {
        RemoveStoreFile(temporary);
        return false;
    }
    return true;
}

// An Access FireOne file (read-only here) gets a new SQLite show store.
bool ImportIntoNewStore(ShowContext& show, const std::string& source)
{
    if (!HasFireData(show.db))
        return false; // not a FireOne file, and nothing to say
    const std::optional<std::string> path = show.prompt.ChooseSaveFile(NewStoreChoice(source));
    if (!path)
        return false;
    std::error_code error;
    if (std::filesystem::symlink_status(*path, error).type() !=
            std::filesystem::file_type::not_found &&
        !store::IsEmptyStoreLeftover(*path))
        return LoadExistingStore(show, *path);

    std::vector<show::Cue> cues;
    bool copiedLayout = false;
    if (!MakeNewStore(show, *path, cues, copiedLayout))
        return false;
    if (!copiedLayout)
        return ShowCues(show, cues, *path);
    CADODataBase stored;
    if (!stored.Open(store::ConnectionStringFor(*path), "", "")) {
        Stop(show, strings::FormatText(strings::kLoadFailed, DescriptionOf(stored).c_str()));
        return false;
    }
    store::StoreCloser closer(stored);
    return LoadStoredShow(show, stored, *path);
}

} // namespace

bool ImportFireOne(ShowContext& show)
{
    const std::optional<std::string> path = show.prompt.ChooseOpenFile(FireOneFileChoice());
    if (!path)
        return false;
    if (!show.db.Open(store::ConnectionStringFor(*path), "", "")) {
        show.prompt.ShowMessage(show.db.GetLastErrorText(), prompt::MessageIcon::None);
        return false;
    }
    store::StoreCloser closer(show.db);
    try {
        if (show.db.GetConnection()->IsReadOnlyFormat())
            return ImportIntoNewStore(show, *path);
        show.rs = CADORecordset(&show.db);
        if (!show.rs.Open(store::kFireDataTable, modeTable)) {
            // No FireData: not a FireOne file, and nothing to say. Any other
            // failure is the user's to know.
            if (show.rs.GetLastErrorCode() != static_cast<std::uint32_t>(ado::DB_E_NOTABLE))
                Stop(show, strings::FormatText(strings::kImportSourceUnreadable,
                                               show.rs.GetLastErrorText().c_str()));
            return false;
        }
        if (store::HasLayoutTable(show.db))
            return LoadStoredShow(show, show.db, *path);
        return ConvertInPlace(show, *path);
    } catch (const ado::_com_error& error) {
        Stop(show, strings::FormatText(strings::kImportFailed, error.what()));
        return false;
    }
}

} // namespace editor
