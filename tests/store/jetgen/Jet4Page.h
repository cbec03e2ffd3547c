#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace jetgen {

inline constexpr std::size_t kPageSize = 4096;
inline constexpr std::uint32_t kLongValueOwner = 0x4C41564C; // "LVAL" where a table's page is
inline constexpr std::uint16_t kDeletedRow = 0xC000;         // the flags Access gives a deleted row
inline constexpr std::uint16_t kOverflowPointer = 0x4000;    // a row's place holding where it went
inline constexpr std::uint16_t kOverflowRow = 0x8000;        // a row that went elsewhere
inline constexpr std::size_t kMaxRowBytes = kPageSize - 14 - 2;

// A data or long-value page: the header, the row offsets after it, and the
// rows from the end of the page back towards them.
class RowPage
{
public:
    // A new page of the table whose definition is on page `owner` (or
    // kLongValueOwner).
    explicit RowPage(std::uint32_t owner);
    // A page read from a file.
    explicit RowPage(std::string bytes) : bytes_(std::move(bytes)) {}

    bool Fits(std::size_t rowBytes) const;
    // Adds a row (which must fit); returns its number on the page.
    std::uint8_t Add(std::string_view row, std::uint16_t flags = 0);
    int Rows() const;
    const std::string& Bytes() const { return bytes_; }

private:
    std::size_t Free() const;

    std::string bytes_;
};

} // namespace jetgen
