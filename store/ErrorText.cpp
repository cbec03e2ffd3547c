#include "store/ErrorText.h"

#include <cstdio>

namespace store {

std::string FormatComError(const char* who, const ado::_com_error& error)
{
    char code[16];
    std::snprintf(code, sizeof code, "%08lx",
                  static_cast<unsigned long>(static_cast<std::uint32_t>(error.Error())));
    std::string meaning = error.ErrorMessage();
    // The platform's texts end with a line break; the record shows none.
    if (!meaning.empty() && meaning.back() == '\n')
        meaning.pop_back();
    if (!meaning.empty() && meaning.back() == '\r')
        meaning.pop_back();
    return std::string(who) + " Error\n\tCode = " + code + "\n\tCode meaning = " + meaning +
           "\n\tSource = " + error.Source() + "\n\tDescription = " + error.Description() + "\n";
}

std::string RecordsetErrorText(const std::string& source, const ado::_com_error& error)
{
    return "Query = " + source + "\n" + FormatComError("CADORecordset", error);
}

} // namespace store
