#include "hostlink/ui/StoreFileChoice.h"

#include "prompt/StoreFilePatterns.h"
#include "resources/strings/Strings.h"

namespace hostlink {

prompt::FileChoice StoreFileChoice(const std::string& currentStore)
{
    prompt::FileChoice choice;
    choice.filters = {
        {strings::kFilterMdbChinese, prompt::AccessStorePatterns()},
        {strings::kFilterSqlite, prompt::SqliteStorePatterns()},
        {strings::kFilterAll, prompt::AnyFilePatterns()},
    };
    choice.initialPath = currentStore;
    return choice;
}

} // namespace hostlink
