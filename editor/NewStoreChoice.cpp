#include "editor/NewStoreChoice.h"

#include "resources/strings/Strings.h"

#include <filesystem>

namespace editor {

prompt::FileChoice NewStoreChoice(const std::string& fireOnePath)
{
    prompt::FileChoice choice;
    choice.filters = {
        {strings::kFilterSqlite, {"*.db", "*.sqlite", "*.sqlite3"}},
        {strings::kFilterAll, {"*"}},
    };
    choice.initialPath = std::filesystem::path(fireOnePath).replace_extension(".db").string();
    choice.defaultSuffix = "db";
    choice.confirmReplace = false; // an existing file is loaded or refused, never replaced
    return choice;
}

std::string TemporaryStorePath(const std::string& storePath)
{
    const std::filesystem::path path(storePath);
    return (path.parent_path() / ("." + path.filename().string() + ".importing")).string();
}

} // namespace editor
