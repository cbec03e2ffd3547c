#include "editor/FireOneStoreMaking.h"

#include "editor/FireDataConversion.h"
#include "editor/StoreMakingLock.h"
#include "platform/Utf8Path.h"
#include "show/Failure.h"
#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "store/TableCopy.h"
#include "store/Transaction.h"

#include <filesystem>
#include <optional>

namespace editor {

namespace {

using show::Failure;
using show::FailureCode;

// Creates tb_Layout in `db`; raises kStoreNotCreated with the database's
// reason when it cannot be.
void CreateLayoutTable(CADODataBase& db)
{
    if (!db.Execute(store::kCreateLayoutTableSql))
        throw show::RefusedBy(db, FailureCode::kStoreNotCreated);
}

// Fills the new store `target` in one transaction: a copy of FireData, and the
// show table converted from it as its rows stream in from the FireOne file, or
// copied from the file's own when it was imported before.
void FillNewStore(ShowContext& show, CADODataBase& target, std::vector<show::Cue>& cues,
                  bool& copiedLayout)
{
    store::Transaction transaction(*target.GetConnection());
    store::DatabaseEngine& source = show.db.GetConnection()->Engine();
    store::DatabaseEngine& into = target.GetConnection()->Engine();
    copiedLayout = store::HasLayoutTable(show.db);
    CreateLayoutTable(target);
    std::optional<FireDataConverter> converter;
    std::optional<CueWriter> writer;
    store::RowSink convert;
    if (!copiedLayout) {
        convert.columns = [&](const std::vector<store::ColumnInfo>& columns) {
            converter.emplace(columns);
            writer.emplace(into);
        };
        convert.row = [&](const std::vector<ado::Variant>& row) {
            show::Cue cue = converter->Next(row); // a record that cannot be a cue raises
            writer->Write(cue);
            cues.push_back(std::move(cue));
            show.Progress().Step(cues.size(), 0);
        };
    }
    store::StreamTableCopy(source, store::kFireDataTable, into, convert);
    if (writer)
        writer->Finish();
    if (copiedLayout)
        store::StreamRowsInto(source, store::kLayoutTable, into);
    show.Progress().BeforeCommit();
    transaction.Commit();
}

// A failure of the access layer while the new store was filled: the FireOne
// file's when its read-only reader raised it.
Failure FillingFailure(const Failure& failure, CADODataBase& fireOne)
{
    const bool fromSource = failure.Code() == FailureCode::kDatabase &&
                            fireOne.GetConnection()->IsReadOnlyFormat() &&
                            failure.Other() == fireOne.GetConnection()->Engine().SourceName();
    if (!fromSource)
        return failure;
    return Failure(FailureCode::kFireOneNotRead)
        .WithDetail(failure.Detail())
        .WithRecord(failure.Record());
}

// Removes a store file and its journal, as far as they are there.
void RemoveStoreFile(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::remove(platform::PathFromUtf8(path), ignored);
    std::filesystem::remove(platform::PathFromUtf8(path + "-journal"), ignored);
}

// Moves the committed store at `temporary` into place at `path`.
void MoveIntoPlace(const std::string& temporary, const std::string& path)
{
    std::error_code error;
    // an empty leftover's, played back
    std::filesystem::remove(platform::PathFromUtf8(path + "-journal"), error);
    std::filesystem::rename(platform::PathFromUtf8(temporary), platform::PathFromUtf8(path), error);
    if (error)
        throw Failure(FailureCode::kStoreNotCreated).WithDetail(error.message());
}

} // namespace

StoreMaking ConvertInPlace(ShowContext& show, const std::string& path, std::vector<show::Cue>& cues)
{
    const StoreMakingLock lock(path);
    std::optional<store::Transaction> transaction;
    const bool foundMade = show::StoreWork(
        [&] {
            // Made by another import while this one waited for the file.
            if (store::HasLayoutTable(show.db))
                return true;
            transaction.emplace(*show.db.GetConnection());
            return false;
        },
        FailureCode::kStoreNotCreated);
    if (foundMade)
        return StoreMaking::kFoundMade;
    // A failure on the way: the transaction undoes the table.
    CreateLayoutTable(show.db);
    ConvertFireData(show.db, cues, show.Progress());
    show.Progress().BeforeCommit();
    transaction->Commit();
    return StoreMaking::kMade;
}

StoreMaking MakeNewStore(ShowContext& show, const std::string& path, std::vector<show::Cue>& cues,
                         bool& copiedLayout)
{
    const StoreMakingLock lock(path);
    if (StoreIsThere(path))
        return StoreMaking::kFoundMade;
    const std::string temporary = StoreMakingLock::TemporaryPathFor(path);
    RemoveStoreFile(temporary); // what a killed import left
    CADODataBase target;
    if (!target.Create(store::ConnectionStringFor(temporary)))
        throw show::RefusedBy(target, FailureCode::kStoreNotCreated);
    try {
        try {
            show::StoreWork([&] { FillNewStore(show, target, cues, copiedLayout); });
        } catch (const Failure& failure) {
            throw FillingFailure(failure, show.db);
        }
        target.Close();
        MoveIntoPlace(temporary, path);
    } catch (...) { // a failure, or a stop asked for: nothing is left behind
        target.Close();
        RemoveStoreFile(temporary);
        throw;
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
