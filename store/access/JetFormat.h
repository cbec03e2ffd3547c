#pragma once

#include <cstddef>

namespace jet {

enum class JetVersion
{
    Jet3, // Access 97
    Jet4, // Access 2000 to 2003
};

// Where the two versions keep things. Offsets are from the start of a page,
// or of a table definition, or of one column's entry in it.
struct JetFormat
{
    JetVersion version;
    std::size_t pageSize;
    std::size_t rowCountOffset; // data page: u16 row count, then the row offsets
    std::size_t countSize;      // a row's column counts: u8 (Jet 3) or u16 (Jet 4)

    // Table definition.
    std::size_t rowsOffset;         // u32 rows
    std::size_t varColumnsOffset;   // u16 variable columns
    std::size_t columnsOffset;      // u16 columns
    std::size_t realIndexesOffset;  // u32 index entries
    std::size_t usageMapOffset;     // u32 row pointer to the usage map
    std::size_t firstEntryOffset;   // index entries, then column entries
    std::size_t realIndexEntrySize; // bytes of one index entry
    std::size_t columnEntrySize;    // bytes of one column entry
    std::size_t nameLengthSize;     // u8 (Jet 3) or u16 (Jet 4) before each column name

    // One column entry.
    std::size_t columnNumberAt; // u8
    std::size_t varIndexAt;     // u16: its place among the row's variable columns
    std::size_t flagsAt;        // u8: 0x01 fixed length
    std::size_t fixedOffsetAt;  // u16: its place among the row's fixed bytes
    std::size_t sizeAt;         // u16
    std::size_t precisionAt;    // u8, Numeric columns
    std::size_t scaleAt;        // u8, Numeric columns

    static const JetFormat& Of(JetVersion version);
};

} // namespace jet
