#include "editor/LoadOutcomeReport.h"

#include "editor/FailureText.h"
#include "prompt/Prompt.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "store/ADODataBase.h"
#include "store/LayoutTable.h"

namespace editor {

namespace {

// Why tb_Layout could not be opened: missing, or there but unreadable.
std::string TableNotOpenedText(CADODataBase& db, const std::string& recordsetError)
{
    try {
        if (!store::HasLayoutTable(db))
            return strings::kNoLayoutTable;
    } catch (const ado::_com_error& error) {
        return strings::FormatText(strings::kLoadFailed, FailureText(error).c_str());
    }
    return strings::FormatText(strings::kLoadFailed, recordsetError.c_str());
}

} // namespace

bool ReportLoadOutcome(ShowContext& show, CADODataBase& db, const LoadOutcome& outcome)
{
    switch (outcome.status) {
    case LoadOutcome::kLoaded:
        return true;
    case LoadOutcome::kTableNotOpened:
        show.prompt.ShowMessage(TableNotOpenedText(db, outcome.detail), prompt::MessageIcon::Stop);
        break;
    case LoadOutcome::kBadRecord:
        show.prompt.ShowMessage(
            strings::FormatText(strings::kLoadBadField, outcome.records, outcome.detail.c_str()),
            prompt::MessageIcon::Stop);
        break;
    case LoadOutcome::kFailed:
        if (outcome.gridChanged)
            show.storePath.clear();
        show.prompt.ShowMessage(strings::FormatText(strings::kLoadFailed, outcome.detail.c_str()),
                                prompt::MessageIcon::Stop);
        break;
    }
    return false;
}

} // namespace editor
