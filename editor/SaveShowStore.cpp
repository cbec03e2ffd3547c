#include "editor/SaveShowStore.h"

#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
#include "resources/strings/Strings.h"
#include "show/ShowSaver.h"

namespace editor {

bool SaveShowStore(ShowContext& show)
{
    if (show.storePath.empty())
        return false;
    try {
        show::SaveHostNamesToFile(show.storePath, show.model, show.Progress());
    } catch (const show::Failure& failure) {
        messages::ShowFailure(show.prompt, failure, messages::Doing::kSaving);
        return false;
    }
    show.prompt.ShowMessage(strings::kSaveDone, prompt::MessageIcon::Information);
    return true;
}

} // namespace editor
