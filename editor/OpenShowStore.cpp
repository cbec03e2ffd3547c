#include "OpenShowStore.h"

#include "ADODataBase.h"
#include "ADORecordset.h"
#include "FailureText.h"
#include "FormatText.h"
#include "LayoutTable.h"
#include "LoadShowTable.h"
#include "Prompt.h"
#include "ShowStoreFileChoice.h"
#include "StoreCloser.h"
#include "strings/Strings.h"

namespace editor {

namespace {

// Why tb_Layout could not be opened: missing, or there but unreadable.
std::string TableNotOpenedText(CADODataBase& db, const std::string& recordsetError)
{
    try {
        if (!store::HasLayoutTable(db))
            return strings::kNoLayoutTable;
    } catch (const ado::_com_error& error) {
        return FormatText(strings::kLoadFailed, FailureText(error).c_str());
    }
    return FormatText(strings::kLoadFailed, recordsetError.c_str());
}

} // namespace

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
    const LoadOutcome outcome = LoadShowTable(show.rs, show.grid);
    switch (outcome.status) {
    case LoadOutcome::kLoaded:
        show.storePath = *path;
        break;
    case LoadOutcome::kTableNotOpened:
        show.prompt.ShowMessage(TableNotOpenedText(show.db, outcome.detail),
                                prompt::MessageIcon::Stop);
        break;
    case LoadOutcome::kBadRecord:
        show.prompt.ShowMessage(
            FormatText(strings::kLoadBadField, outcome.records, outcome.detail.c_str()),
            prompt::MessageIcon::Stop);
        break;
    case LoadOutcome::kFailed:
        // Half a show belongs to no file: Save must not pair it with one.
        if (outcome.gridChanged)
            show.storePath.clear();
        show.prompt.ShowMessage(FormatText(strings::kLoadFailed, outcome.detail.c_str()),
                                prompt::MessageIcon::Stop);
        break;
    }
}

} // namespace editor
