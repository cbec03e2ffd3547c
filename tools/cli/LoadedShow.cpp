#include "tools/cli/LoadedShow.h"

#include "editor/CueGridLayout.h"
#include "editor/OpenShowStore.h"

namespace cli {

LoadedShow::LoadedShow()
{
    editor::SetUpCueGrid(grid_);
}

bool LoadedShow::Open(const std::string& path, const char* failure)
{
    const std::string_view text = failure;
    prompt_.SetFailureHeadline(std::string(text.substr(0, text.find('\n'))));
    prompt_.AnswerOpenFile(path);
    editor::ShowContext show = Context();
    editor::OpenShowStore(show);
    return !storePath_.empty();
}

} // namespace cli
