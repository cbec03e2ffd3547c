#include "editor/OpenShowStore.h"

#include "editor/LoadShowTable.h"
#include "editor/ShowStoreFileChoice.h"
#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/LayoutTable.h"
#include "store/StoreCloser.h"

namespace editor {

bool OpenShowStore(ShowContext& show)
{
    const std::optional<std::string> path = show.prompt.ChooseOpenFile(ShowStoreFileChoice());
    return path && OpenShowStoreFile(show, *path);
}

bool OpenShowStoreFile(ShowContext& show, const std::string& path)
{
    try {
        show::OpenStoreFile(show.db, path);
    } catch (const show::Failure& failure) { // the access layer's own text, no icon
        messages::ShowFailure(show.prompt, failure, messages::Doing::kOpening);
        return false;
    }
    store::StoreCloser closer(show.db);
    return ShowStoredTable(show, show.db, path);
}

bool ShowStoreFile(ShowContext& show, const std::string& path)
{
    CADODataBase db;
    try {
        show::OpenStoreFile(db, path, show::FailureCode::kDatabase);
    } catch (const show::Failure& failure) {
        messages::ShowFailure(show.prompt, failure, messages::Doing::kOpening);
        return false;
    }
    store::StoreCloser closer(db);
    return ShowStoredTable(show, db, path);
}

bool ShowStoredTable(ShowContext& show, CADODataBase& db, const std::string& path)
{
    try {
        LoadShowTable(db, show.model, show.Progress());
    } catch (const show::Failure& failure) {
        messages::ShowFailure(show.prompt, failure, messages::Doing::kOpening);
        return false;
    }
    show.storePath = path;
    return true;
}

} // namespace editor
