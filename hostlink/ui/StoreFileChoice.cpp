#include "hostlink/ui/StoreFileChoice.h"

#include "resources/strings/Strings.h"

namespace hostlink {

prompt::FileChoice StoreFileChoice(const std::string& currentStore)
{
    prompt::FileChoice choice;
    choice.filters = {
        {strings::kFilterMdbChinese, {"*.mdb"}},
        {strings::kFilterSqlite, {"*.db", "*.sqlite", "*.sqlite3"}},
        {strings::kFilterAll, {"*"}},
    };
    choice.initialPath = currentStore;
    return choice;
}

} // namespace hostlink
