#include "editor/NewStoreChoice.h"

#include "platform/Utf8Path.h"
#include "resources/strings/Strings.h"

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

} // namespace editor
