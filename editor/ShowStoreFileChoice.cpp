#include "editor/ShowStoreFileChoice.h"

#include "resources/strings/Strings.h"

namespace editor {

prompt::FileChoice ShowStoreFileChoice()
{
    prompt::FileChoice choice;
    choice.filters = {
        {strings::kFilterMdbEnglish, {"*.mdb"}},
        {strings::kFilterSqlite, {"*.db", "*.sqlite", "*.sqlite3"}},
        {strings::kFilterAll, {"*"}},
    };
    return choice;
}

prompt::FileChoice FireOneFileChoice()
{
    prompt::FileChoice choice = ShowStoreFileChoice();
    choice.filters.insert(choice.filters.begin() + 1, {strings::kFilterFireOneScript, {"*.fir"}});
    return choice;
}

} // namespace editor
