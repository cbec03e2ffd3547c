#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace jet {

// The file cannot be read as asked. The text says why, in words for the
// user ("table 'FireData', page 17: a row lies outside its page").
struct Unreadable : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Refuse(const std::string& why);

// Where in the file a table's bytes are being read: failures found there name
// the table and the page.
struct Place
{
    std::string table;
    std::uint32_t page = 0;

    [[noreturn]] void Fail(const std::string& what) const;
};

} // namespace jet
