#include "store/access/UsageMap.h"

#include "store/access/PageView.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace jet {

namespace {
// Adds the pages that the bits of `map` from byte `from` mark, bit 0
// standing for page `first`; false once a marked page lies past the end of
// the file. Page 0 is the file's header and never holds rows.
bool AddMarked(const PageView& map, std::size_t from, std::uint64_t first, const Pages& pages,
               UsedPages& used)
{
    for (std::size_t i = 0; from + i < map.Size(); ++i) {
        const std::uint8_t bits = map.U8(from + i);
        if (bits == 0)
            continue;
        for (unsigned bit = 0; bit < 8; ++bit) {
            const std::uint64_t number = first + i * 8 + bit;
            if (!(bits & (1u << bit)) || number == 0)
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
    const PageView bytes(map, place);
    UsedPages used;
    if (bytes.Size() == 0)
        place.Fail("the table's usage map is empty");
    const std::uint8_t kind = bytes.U8(0);
    if (kind == 0) {
        if (bytes.Size() < 5)
            place.Fail("the table's usage map is cut short");
        AddMarked(bytes, 5, bytes.U32(1), pages, used);
        return used;
    }
    if (kind != 1)
        place.Fail("the table's usage map is of an unknown kind (" + std::to_string(kind) + ")");
    const std::uint64_t perPage = (format.pageSize - 4) * 8;
    for (std::size_t at = 1; at + 4 <= bytes.Size(); at += 4) {
        const std::uint32_t bitmap = bytes.U32(at);
        if (bitmap == 0)
            continue;
        if (!pages.Has(bitmap))
            place.Fail("the table's usage map refers to page " + std::to_string(bitmap) +
                       ", past the end of the file");
        const PageRef page = pages.Get(bitmap);
        if (!AddMarked(PageView(page->bytes, Place{place.table, bitmap}), 4, (at - 1) / 4 * perPage,
                       pages, used))
            break;
    }
    return used;
}

} // namespace jet
