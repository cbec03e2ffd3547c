#pragma once

#include <string>

namespace store {

// `text` between two `quote`s, any `quote` inside doubled: SQL's quoting, so
// that no text can end the statement early.
inline std::string Quoted(const std::string& text, char quote)
{
    std::string quoted(1, quote);
    for (const char c : text) {
        quoted += c;
        if (c == quote)
            quoted += quote;
    }
    return quoted + quote;
}

// A table or column name as an SQL identifier: in double quotes.
inline std::string QuoteIdentifier(const std::string& identifier)
{
    return Quoted(identifier, '"');
}

// A text as an SQL string literal: in single quotes.
inline std::string QuoteText(const std::string& text)
{
    return Quoted(text, '\'');
}

} // namespace store
