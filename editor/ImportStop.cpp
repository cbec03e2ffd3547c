#include "editor/ImportStop.h"

#include "prompt/Prompt.h"
#include "store/ADODataBase.h"

namespace editor {

void Stop(ShowContext& show, const std::string& text)
{
    show.prompt.ShowMessage(text, prompt::MessageIcon::Stop);
}

std::string DescriptionOf(const CADODataBase& db)
{
    const std::string description = db.GetLastErrorDescription();
    return description.empty() ? db.GetLastErrorText() : description;
}

} // namespace editor
