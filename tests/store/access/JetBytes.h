#pragma once

#include "store/access/JetFormat.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Jet 4 structures made by hand for the reader's tests: pages, table
// definitions and rows, byte by byte as the format lays them out.
namespace jetbytes {

inline constexpr std::size_t kPage = 4096;

std::string U16(unsigned value);
std::string U32(std::uint32_t value);
// `bytes` at `offset` of `into`, which grows to hold them.
void Put(std::string& into, std::size_t offset, const std::string& bytes);
// A text as Jet 4 stores a name: UTF-16LE (ASCII here).
std::string Utf16(const std::string& ascii);

// A data page of the table whose definition is on page `owner` ("LVAL" for
// long values): rows laid from the page's end down, each with its flags.
using Row = std::pair<std::string, std::uint16_t>;
std::string DataPage(std::uint32_t owner, const std::vector<Row>& rows);
std::uint32_t LongValueOwner(); // "LVAL"

// A row: its column count, the fixed part, the variable columns' values
// (nullopt-free: NULL ones are empty and cleared in the mask), the mask.
std::string Row4(unsigned columns, const std::string& fixedPart,
                 const std::vector<std::string>& varValues, const std::vector<bool>& present);

struct ColumnSpec
{
    std::uint8_t type;
    std::uint8_t number;
    bool fixed;
    std::uint16_t offset; // fixed offset, or variable index
    std::uint16_t size;
    std::string name;
    std::uint8_t precision = 0;
    std::uint8_t scale = 0;
};
// A table definition page (a whole page; the definition may go on at `next`).
std::string Definition4(std::uint32_t rows, const std::vector<ColumnSpec>& columns,
                        std::uint32_t usageMap, std::uint32_t next = 0);

// A file of whole pages, from page 0.
std::string File(const std::vector<std::string>& pages);

// What `read` raises as jet::Unreadable; empty when it raises nothing.
std::string FailureOf(const std::function<void()>& read);

} // namespace jetbytes
