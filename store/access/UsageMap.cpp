#include "store/access/UsageMap.h"

#include "store/access/LittleEndian.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace jet {

namespace {
// Adds the pages that `bits` marks, bit 0 standing for page `first`; false
// once a marked page lies past the end of the file. Page 0 is the file's
// header and never holds rows.
bool AddMarked(const unsigned char* bits, std::size_t bytes, std::uint64_t first,
               const Pages& pages, UsedPages& used)
{
    for (std::size_t i = 0; i < bytes; ++i) {
        if (bits[i] == 0)
            continue;
        for (unsigned bit = 0; bit < 8; ++bit) {
            const std::uint64_t number = first + i * 8 + bit;
            if (!(bits[i] & (1u << bit)) || number == 0)
                continue;
            if (!pages.Has(number)) {
                used.missing =
                    static_cast<std::uint32_t>(std::min<std::uint64_t>(number, UINT32_MAX));
                return false;
            }
            used.pages.push_back(static_cast<std::uint32_t>(number));
        }
    }
    return true;
}
} // namespace

UsedPages ReadUsageMap(std::string_view map, Pages& pages, const JetFormat& format,
                       const Place& place)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(map.data());
    UsedPages used;
    if (map.empty())
        place.Fail("the table's usage map is empty");
    if (bytes[0] == 0) {
        if (map.size() < 5)
            place.Fail("the table's usage map is cut short");
        AddMarked(bytes + 5, map.size() - 5, Le32(bytes + 1), pages, used);
        return used;
    }
    if (bytes[0] != 1)
        place.Fail("the table's usage map is of an unknown kind (" + std::to_string(bytes[0]) +
                   ")");
    const std::uint64_t perPage = (format.pageSize - 4) * 8;
    for (std::size_t at = 1; at + 4 <= map.size(); at += 4) {
        const std::uint32_t bitmap = Le32(bytes + at);
        if (bitmap == 0)
            continue;
        if (!pages.Has(bitmap))
            place.Fail("the table's usage map refers to page " + std::to_string(bitmap) +
                       ", past the end of the file");
        const PageRef page = pages.Get(bitmap);
        if (!AddMarked(page->bytes.data() + 4, format.pageSize - 4, (at - 1) / 4 * perPage, pages,
                       used))
            break;
    }
    return used;
}

} // namespace jet
