#include "editor/SaveShowStore.h"

#include "editor/FailureText.h"
#include "prompt/Prompt.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/HostNameText.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "store/StoreCloser.h"
#include "store/Transaction.h"

#include <vector>

namespace editor {

namespace {

void Refuse(ShowContext& show, const std::string& text)
{
    show.prompt.ShowMessage(text, prompt::MessageIcon::Stop);
}

// The trimmed host names of the cue rows; false after telling the user about
// the first row whose name cannot be stored.
bool CollectHostNames(ShowContext& show, std::vector<std::string>& names)
{
    const int rows = show.grid.GetRowCount();
    names.reserve(static_cast<std::size_t>(rows > 1 ? rows - 1 : 0));
    for (int row = 1; row < rows; ++row) {
        std::string name =
            show::TrimHostName(show.grid.QueryCell(kQueryCellText, row, show::kColumnHost));
        if (name.empty()) {
            Refuse(show, strings::kSaveHostEmpty);
            return false;
        }
        if (ado::Utf8Length(name) > static_cast<std::size_t>(store::kHostNameMaxChars)) {
            Refuse(show,
                   strings::FormatText(strings::kSaveHostTooLong, row, store::kHostNameMaxChars));
            return false;
        }
        names.push_back(std::move(name));
    }
    return true;
}

// Writes the names in one transaction; false after telling the user why
// nothing was written.
bool WriteHostNames(ShowContext& show, const std::vector<std::string>& names)
{
    store::Transaction transaction(*show.db.GetConnection());
    CADORecordset rs(&show.db);
    if (!rs.Open(store::kLayoutTable, modeTable)) {
        Refuse(show, strings::FormatText(strings::kSaveFailed, rs.GetLastErrorText().c_str()));
        return false;
    }
    const ado::RecordsetPtr records = rs.GetRecordset();
    const long count = records->RecordCount();
    if (count != static_cast<long>(names.size())) {
        Refuse(show, strings::FormatText(strings::kSaveCountMismatch, static_cast<int>(count),
                                         static_cast<int>(names.size())));
        return false;
    }
    records->MoveFirst();
    for (const std::string& name : names) {
        records->PutCollect("HostName", ado::Variant::Bstr(name));
        records->Update();
        records->MoveNext();
    }
    rs.Close();
    transaction.Commit();
    return true;
}

} // namespace

bool SaveShowStore(ShowContext& show)
{
    if (show.storePath.empty() || show.grid.GetRowCount() < 1)
        return false;
    std::vector<std::string> names;
    try {
        if (!CollectHostNames(show, names))
            return false;
    } catch (const GridError& error) {
        Refuse(show, strings::FormatText(strings::kSaveFailed, error.what()));
        return false;
    }
    if (!show.db.Open(store::ConnectionStringFor(show.storePath), "", "")) {
        Refuse(show, strings::FormatText(strings::kSaveFailed, show.db.GetLastErrorText().c_str()));
        return false;
    }
    store::StoreCloser closer(show.db);
    try {
        if (!WriteHostNames(show, names))
            return false;
    } catch (const ado::_com_error& error) {
        Refuse(show, strings::FormatText(strings::kSaveFailed, FailureText(error).c_str()));
        return false;
    }
    show.prompt.ShowMessage(strings::kSaveDone, prompt::MessageIcon::Information);
    return true;
}

} // namespace editor
