#include "editor/FireOneStoreMaking.h"

#include "editor/FireDataConversion.h"
#include "editor/ImportStop.h"
#include "editor/NewStoreChoice.h"
#include "editor/StoreMakingLock.h"
#include "messages/FailureMessage.h"
#include "platform/Utf8Path.h"
#include "prompt/Prompt.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "store/TableCopy.h"
#include "store/Transaction.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace editor {

namespace {

// The lock of the store at `path`; nothing after telling the user why not.
std::unique_ptr<StoreMakingLock> Lock(ShowContext& show, const std::string& path)
{
    try {
        return std::make_unique<StoreMakingLock>(path);
    } catch (const show::Failure& failure) {
        Stop(show, messages::FailureText(failure, messages::Doing::kImporting));
    }
    return nullptr;
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
             std::vector<show::Cue>& cues)
{
    try {
        ConvertFireData(fireData, db, cues, show.Progress());
        return true;
    } catch (const show::Failure& failure) {
        messages::ShowFailure(show.prompt, failure, messages::Doing::kImporting);
    }
    return false;
}

// Fills the new store `target` in one transaction: a copy of FireData, and the
// show table converted from it as its rows stream in from the FireOne file, or
// copied from the file's own when it was imported before. False after
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
    store::RowSink convert;
    if (!copiedLayout) {
        convert.columns = [&](const std::vector<store::ColumnInfo>& columns) {
            converter.emplace(columns);
            writer.emplace(into);
        };
        convert.row = [&](const std::vector<ado::Variant>& row) {
            show::Cue cue = converter->Next(row);
            writer->Write(cue);
            cues.push_back(std::move(cue));
            show.Progress().Step(cues.size(), 0);
        };
    }
    try {
        store::StreamTableCopy(source, store::kFireDataTable, into, convert);
    } catch (const show::Failure& failure) { // a record that cannot be a cue
        messages::ShowFailure(show.prompt, failure, messages::Doing::kImporting);
        return false;
    }
    if (copiedLayout)
        store::StreamRowsInto(source, store::kLayoutTable, into);
    show.Progress().BeforeCommit();
    transaction.Commit();
    return true;
}

// Removes a store file and its journal, as far as they are there.
void RemoveStoreFile(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::remove(platform::PathFromUtf8(path), ignored);
    std::filesystem::remove(platform::PathFromUtf8(path + "-journal"), ignored);
}

} // namespace

StoreMaking ConvertInPlace(ShowContext& show, const std::string& path, std::vector<show::Cue>& cues)
{
    const std::unique_ptr<StoreMakingLock> lock = Lock(show, path);
    if (!lock)
        return StoreMaking::kRefused;
    std::optional<store::Transaction> transaction;
    try {
        // Made by another import while this one waited for the file.
        if (store::HasLayoutTable(show.db))
            return StoreMaking::kFoundMade;
        transaction.emplace(*show.db.GetConnection());
    } catch (const ado::_com_error& error) {
        Stop(show, strings::FormatText(strings::kImportStoreNotCreated, error.what()));
        return StoreMaking::kRefused;
    }
    if (!CreateLayoutTable(show, show.db) || !Convert(show, show.rs, show.db, cues))
        return StoreMaking::kRefused; // the transaction undoes the table
    show.Progress().BeforeCommit();
    transaction->Commit();
    return StoreMaking::kMade;
}

StoreMaking MakeNewStore(ShowContext& show, const std::string& path, std::vector<show::Cue>& cues,
                         bool& copiedLayout)
{
    const std::unique_ptr<StoreMakingLock> lock = Lock(show, path);
    if (!lock)
        return StoreMaking::kRefused;
    if (StoreIsThere(path))
        return StoreMaking::kFoundMade;
    const std::string temporary = TemporaryStorePath(path);
    RemoveStoreFile(temporary); // what a killed import left
    CADODataBase target;
    if (!target.Create(store::ConnectionStringFor(temporary))) {
        Stop(show,
             strings::FormatText(strings::kImportStoreNotCreated, DescriptionOf(target).c_str()));
        return StoreMaking::kRefused;
    }
    bool filled = false;
    try {
        filled = FillNewStore(show, target, cues, copiedLayout);
    } catch (const show::Cancelled&) {
        target.Close();
        RemoveStoreFile(temporary);
        throw;
    } catch (const ado::_com_error& failure) {
        const bool fromSource =
            failure.Source() == show.db.GetConnection()->Engine().SourceName() &&
            show.db.GetConnection()->IsReadOnlyFormat();
        Stop(show, strings::FormatText(fromSource ? strings::kImportSourceUnreadable
                                                  : strings::kImportFailed,
                                       failure.what()));
    }
    target.Close();
    std::error_code error;
    if (filled) {
        // an empty leftover's, played back
        std::filesystem::remove(platform::PathFromUtf8(path + "-journal"), error);
        std::filesystem::rename(platform::PathFromUtf8(temporary), platform::PathFromUtf8(path),
                                error);
        if (error)
            Stop(show,
                 strings::FormatText(strings::kImportStoreNotCreated, error.message().c_str()));
    }
    if (!filled || error) {
        RemoveStoreFile(temporary);
        return StoreMaking::kRefused;
    }
    return StoreMaking::kMade;
}

bool StoreIsThere(const std::string& path)
{
    std::error_code error;
    return std::filesystem::symlink_status(platform::PathFromUtf8(path), error).type() !=
               std::filesystem::file_type::not_found &&
           !store::IsEmptyStoreLeftover(path);
}

} // namespace editor
