#include "editor/OpenShowStore.h"

#include "editor/LoadShowTable.h"
#include "editor/ShowStoreFileChoice.h"
#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/StoreCloser.h"

namespace editor {

using messages::Doing;
using messages::InStep;

void OpenShowStore(ShowContext& show)
{
    if (const std::optional<std::string> path = show.prompt.ChooseOpenFile(ShowStoreFileChoice()))
        OpenShowStoreFile(show, *path);
}

void OpenShowStoreFile(ShowContext& show, const std::string& path)
{
    show::OpenStoreFile(show.db, path); // the access layer's own account, no icon
    store::StoreCloser closer(show.db);
    ShowStoredTable(show, show.db, path);
}

void ShowStoreFile(ShowContext& show, const std::string& path)
{
    CADODataBase db;
    InStep(Doing::kOpening, [&] { show::OpenStoreFile(db, path, show::FailureCode::kDatabase); });
    store::StoreCloser closer(db);
    ShowStoredTable(show, db, path);
}

void ShowStoredTable(ShowContext& show, CADODataBase& db, const std::string& path)
{
    InStep(Doing::kOpening, [&] { LoadShowTable(db, show.model, show.Progress()); });
    show.storePath = path;
}

} // namespace editor
