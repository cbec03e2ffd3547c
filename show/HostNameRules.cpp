#include "show/HostNameRules.h"

#include "platform/Gbk.h"
#include "show/ControlCharacters.h"
#include "store/LayoutTable.h"
#include "store/Variant.h"

namespace show {

std::string TrimHostName(const std::string& text)
{
    static constexpr char kBlanks[] = " \t\n\v\f\r";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

void CheckHostName(const std::string& name, int row)
{
    const auto refuse = [&](FailureCode code) { throw Failure(code).WithRow(row).WithName(name); };
    if (name.empty())
        refuse(FailureCode::kHostNameEmpty);
    // Blanks, tabs and line breaks at the ends go when the name is stored.
    const std::string trimmed = TrimHostName(name);
    if (HasControlCharacter(trimmed))
        refuse(FailureCode::kHostNameControl);
    if (ado::Utf8Length(trimmed) > static_cast<std::size_t>(store::kHostNameMaxChars))
        refuse(FailureCode::kHostNameTooLong);
    if (!platform::Utf8ToGbk(trimmed))
        refuse(FailureCode::kHostNameNotGbk);
}

void CheckStoredHostName(const std::string& name, int row)
{
    if (TrimHostName(name).empty())
        throw Failure(FailureCode::kHostNameEmpty).WithRow(row).WithName(name);
    CheckHostName(name, row);
}

} // namespace show
