#include "editor/StoreGatePrompt.h"

#include <filesystem>
#include <system_error>

namespace editor {

std::optional<std::string> StoreGatePrompt::ChooseOpenFile(const prompt::FileChoice& choice)
{
    prompt::FileChoice startAtStore = choice;
    if (startAtStore.initialPath.empty())
        startAtStore.initialPath = currentStore_;
    std::optional<std::string> path = window_.ChooseOpenFile(startAtStore);
    if (path && gate_ && !gate_(*path))
        return std::nullopt;
    return path;
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty())
        return false;
    std::error_code error;
    const bool same = std::filesystem::equivalent(a, b, error);
    return !error && same;
}

} // namespace editor
