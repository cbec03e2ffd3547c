#pragma once

#include "store/access/JetFormat.h"
#include "store/access/Pages.h"
#include "store/access/Unreadable.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace jet {

// The pages a table's usage map marks, in ascending order: where its rows are.
struct UsedPages
{
    std::vector<std::uint32_t> pages; // those the file has
    std::uint32_t missing = 0;        // the first marked page past the end of the file, or 0
};

// A map is inline (u8 0, u32 first page, then one bit per page from it) or
// refers to bitmap pages (u8 1, then u32 page numbers, each page's bits from
// byte 4 covering the next (page size - 4) * 8 pages). Raises, naming `place`
// (the table and the map's page), on a map of another kind and on a bitmap
// page the file lacks. Marked pages stop at the first one past the end of
// the file.
UsedPages ReadUsageMap(std::string_view map, Pages& pages, const JetFormat& format,
                       const Place& place);

} // namespace jet
