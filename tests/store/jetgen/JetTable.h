#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

// What the test file generator writes: tables, their columns and rows.
namespace jetgen {

// Column types, numbered as Jet 4 numbers them on disk.
enum class Type : std::uint8_t
{
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0a,
    Ole = 0x0b,
    Memo = 0x0c,
    Guid = 0x0f,
    Numeric = 0x10,
};

struct Column
{
    std::string name;
    Type type = Type::Long;
    int size = 0;           // Text: characters (1..255); Binary: bytes (1..255)
    bool compressed = true; // Text, Memo: Jet 4's compressed Unicode wherever it is shorter
    int precision = 18;     // Numeric
    int scale = 0;          // Numeric
};

// A Numeric value: a 96-bit magnitude and a sign; the column's scale places
// the decimal point.
struct Decimal
{
    bool negative = false;
    std::uint32_t high = 0;
    std::uint64_t low = 0;
};

// One value, by its column's type: monostate is NULL (a Boolean then reads as
// false); bool for Boolean; an integer for Byte, Integer, Long and Currency
// (in ten-thousandths); a double for Single, Double and DateTime (an
// automation date); a string for Text and Memo (UTF-8), Binary and OLE (the
// bytes) and GUID (its 16 stored bytes); a Decimal for Numeric.
using Value = std::variant<std::monostate, bool, std::int64_t, double, std::string, Decimal>;

struct Row
{
    std::vector<Value> values; // one per column, in column order
    bool deleted = false;      // written, but its row pointer flagged deleted
    // Moved, as Access moves a row that grew: its place holds a pointer to the
    // row, which opens the next data page (so a reader that only scans the
    // pages in order meets it in the same place). Not with `deleted`.
    bool overflow = false;
};

struct Table
{
    std::string name;
    std::vector<Column> columns;
    std::size_t rows = 0;
    // Asked for rows 0 .. rows-1, in that order, once each: it may keep state.
    std::function<Row(std::size_t)> row;
    // Damage Access never does: a Memo or OLE value equal to one written
    // before points at that value's long-value pages instead of its own.
    bool shareLongValues = false;
};

} // namespace jetgen
