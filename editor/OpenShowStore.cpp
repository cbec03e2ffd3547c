#include "OpenShowStore.h"

#include "ADODataBase.h"
#include "ADORecordset.h"
#include "LayoutTable.h"
#include "LoadOutcomeReport.h"
#include "Prompt.h"
#include "ShowStoreFileChoice.h"
#include "StoreCloser.h"

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
    StoreCloser closer(show.db);
    show.rs = CADORecordset(&show.db);
    if (!ReportLoadOutcome(show, show.db, LoadShowTable(show.rs, show.grid)))
        return false;
    show.storePath = path;
    return true;
}

} // namespace editor
