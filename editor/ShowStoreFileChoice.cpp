#include "editor/ShowStoreFileChoice.h"

#include "prompt/StoreFilePatterns.h"
#include "resources/strings/Strings.h"

namespace editor {

namespace {

const prompt::FileFilter kAccess{strings::kFilterMdbEnglish, prompt::AccessStorePatterns()};
const prompt::FileFilter kSqlite{strings::kFilterSqlite, prompt::SqliteStorePatterns()};
const prompt::FileFilter kAll{strings::kFilterAll, prompt::AnyFilePatterns()};

} // namespace

prompt::FileChoice ShowStoreFileChoice()
{
    prompt::FileChoice choice;
    // Both kinds at once first: a store this program made is a .db.
    choice.filters = {
        {strings::kFilterShowStores, prompt::AnyStorePatterns()},
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
