#pragma once

#include "store/access/JetFormat.h"
#include "store/access/Pages.h"
#include "store/access/Unreadable.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

// Jet's column types, as they are numbered on disk.
enum ColumnType : std::uint8_t
{
    kBoolean = 0x01,
    kByte = 0x02,
    kInteger = 0x03,
    kLong = 0x04,
    kCurrency = 0x05,
    kSingle = 0x06,
    kDouble = 0x07,
    kDateTime = 0x08,
    kBinary = 0x09,
    kText = 0x0a,
    kOle = 0x0b,
    kMemo = 0x0c,
    kReplicationId = 0x0f,
    kNumeric = 0x10,
    kComplex = 0x12,
};

struct Column
{
    std::string name;
    std::uint8_t type = 0;
    std::uint8_t number = 0;       // its bit in a row's NULL mask; deleted columns leave gaps
    bool fixed = false;            // in the row's fixed part, else among its variable columns
    std::uint16_t fixedOffset = 0; // fixed: where it lies after the row's column count
    std::uint16_t varIndex = 0;    // variable: its entry in the row's table of offsets
    std::uint16_t size = 0;        // bytes (0 for Yes/No, whose value is its mask bit)
    std::uint8_t precision = 0;    // Numeric only
    std::uint8_t scale = 0;        // Numeric only
};

// A table definition: one page, or a chain of them (u32 next page at 4; the
// definition goes on after the 8-byte header of each next page).
struct TableDefinition
{
    std::uint32_t rowCount = 0;
    std::uint16_t varColumnCount = 0;
    std::vector<Column> columns; // in the order of their numbers
    std::uint32_t usageMap = 0;  // row pointer (page << 8 | row) to the usage map
};

// Decodes a name or a text as the file stores it, into UTF-8.
using TextDecoder = std::function<std::string(std::string_view)>;

// Reads the definition starting at page `page`; raises, naming the table
// and the page where the damage lies, when it is no table definition, runs
// past its pages or has no column.
TableDefinition ReadTableDefinition(Pages& pages, const JetFormat& format, std::uint32_t page,
                                    const std::string& table, const TextDecoder& decode);

} // namespace jet
