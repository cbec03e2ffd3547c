#include "editor/NewStoreChoice.h"

#include "platform/Utf8Path.h"
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
    choice.initialPath =
        platform::Utf8FromPath(platform::PathFromUtf8(fireOnePath).replace_extension(".db"));
    choice.defaultSuffix = "db";
    choice.confirmReplace = false; // an existing file is loaded or refused, never replaced
    return choice;
}

std::string TemporaryStorePath(const std::string& storePath)
{
    const std::filesystem::path path = platform::PathFromUtf8(storePath);
    return platform::Utf8FromPath(
        path.parent_path() /
        platform::PathFromUtf8("." + platform::Utf8FromPath(path.filename()) + ".importing"));
}

} // namespace editor
