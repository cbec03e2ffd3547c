#pragma once

#include <string>

namespace store {

// A table or column name as an SQL identifier: in double quotes, any double
// quote inside doubled, so that no name can end the statement early.
inline std::string QuoteIdentifier(const std::string& identifier)
{
    std::string quoted = "\"";
    for (const char c : identifier) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

} // namespace store
