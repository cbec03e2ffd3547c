#include "editor/OpenShowStore.h"

#include "editor/LoadShowTable.h"
#include "editor/ShowStoreFileChoice.h"
#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
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
    if (!show.db.Open(store::ConnectionStringFor(path), "", "")) {
        show.prompt.ShowMessage(show.db.GetLastErrorText(), prompt::MessageIcon::None);
        return false;
    }
    store::StoreCloser closer(show.db);
    return ShowStoredTable(show, show.db, path);
}

bool ShowStoredTable(ShowContext& show, CADODataBase& db, const std::string& path)
{
    try {
        LoadShowTable(db, show.model, show.Progress());
    } catch (const show::Failure& failure) {
        messages::ShowFailure(show.prompt, failure, messages::Doing::kLoading);
        return false;
    }
    show.storePath = path;
    return true;
}

} // namespace editor
