#include "editor/SaveShowStore.h"

#include "prompt/Prompt.h"
#include "resources/strings/Strings.h"
#include "show/ShowSaver.h"

namespace editor {

bool SaveShowStore(ShowContext& show)
{
    if (show.storePath.empty())
        return false;
    show::SaveHostNamesToFile(show.storePath, show.model, show.Progress());
    show.prompt.ShowMessage(strings::kSaveDone, prompt::MessageIcon::Information);
    return true;
}

} // namespace editor
