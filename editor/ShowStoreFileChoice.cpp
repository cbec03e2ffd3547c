#include "editor/ShowStoreFileChoice.h"

#include "resources/strings/Strings.h"

namespace editor {

namespace {

const prompt::FileFilter kAccess{strings::kFilterMdbEnglish, {"*.mdb"}};
const prompt::FileFilter kSqlite{strings::kFilterSqlite, {"*.db", "*.sqlite", "*.sqlite3"}};
const prompt::FileFilter kAll{strings::kFilterAll, {"*"}};

} // namespace

prompt::FileChoice ShowStoreFileChoice()
{
    prompt::FileChoice choice;
    // Both kinds at once first: a store this program made is a .db.
    choice.filters = {
        {strings::kFilterShowStores, {"*.mdb", "*.db", "*.sqlite", "*.sqlite3"}},
        kAccess,
        kSqlite,
        kAll,
    };
    return choice;
}

prompt::FileChoice FireOneFileChoice()
{
    prompt::FileChoice choice;
    choice.filters = {kAccess, {strings::kFilterFireOneScript, {"*.fir"}}, kSqlite, kAll};
    return choice;
}

} // namespace editor
