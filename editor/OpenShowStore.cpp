#include "OpenShowStore.h"

#include "ADODataBase.h"
#include "ADORecordset.h"
#include "LayoutTable.h"
#include "LoadOutcomeReport.h"
#include "Prompt.h"
#include "ShowStoreFileChoice.h"
#include "StoreCloser.h"

namespace editor {

void OpenShowStore(ShowContext& show)
{
    const std::optional<std::string> path = show.prompt.ChooseOpenFile(ShowStoreFileChoice());
    if (!path)
        return;
    if (!show.db.Open(store::ConnectionStringFor(*path), "", "")) {
        show.prompt.ShowMessage(show.db.GetLastErrorText(), prompt::MessageIcon::None);
        return;
    }
    StoreCloser closer(show.db);
    show.rs = CADORecordset(&show.db);
    if (ReportLoadOutcome(show, show.db, LoadShowTable(show.rs, show.grid)))
        show.storePath = *path;
}

} // namespace editor
