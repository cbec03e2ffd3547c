#include "store/access/LongValue.h"

#include "store/access/DataPage.h"
#include "store/access/PageView.h"

#include <algorithm>
#include <set>

namespace jet {

namespace {
constexpr std::size_t kHeaderSize = 12;
constexpr std::uint32_t kInline = 0x80000000;
constexpr std::uint32_t kOnePage = 0x40000000;
constexpr std::uint32_t kFlags = 0xFF000000;
constexpr std::uint32_t kLengthMask = 0x3FFFFFFF;
constexpr char kWhat[] = "a Memo or OLE value";
} // namespace

std::string ReadLongValue(std::string_view stored, Pages& pages, const JetFormat& format,
                          const Place& place, LongValueClaims* claims)
{
    if (stored.empty())
        return {};
    if (stored.size() < kHeaderSize)
        place.Fail("a Memo or OLE value is damaged (its header is cut short)");
    const PageView header(stored, place);
    const std::uint32_t flags = header.U32(0);
    const std::uint32_t length = flags & kLengthMask;
    // No value is longer than the file that holds it.
    if (length > std::uint64_t{pages.Count()} * pages.PageSize())
        place.Fail("a Memo or OLE value claims " + std::to_string(length) +
                   " bytes, more than the file holds");
    if (length > kMaxLongValueBytes)
        place.Fail("a Memo or OLE value of " + std::to_string(length) +
                   " bytes is longer than the " + std::to_string(kMaxLongValueBytes >> 20) +
                   " MiB this program reads");
    if (flags & kInline)
        return std::string(header.Bytes(kHeaderSize, header.Size() - kHeaderSize));
    const std::uint32_t first = header.U32(4);
    if (flags & kOnePage) {
        const PointedRow row = FindRow(pages, format, first, place, kWhat);
        if (claims)
            claims->Claim(first, place);
        return std::string(row.bytes);
    }
    if ((flags & kFlags) != 0)
        place.Fail("a Memo or OLE value is damaged (unknown flags)");

    std::string value;
    value.reserve(length);
    std::set<std::uint32_t> visited;
    for (std::uint32_t next = first; next != 0 && value.size() < length;) {
        if (!visited.insert(next).second)
            place.Fail("a Memo or OLE value's chain of pages goes round in a loop");
        const PointedRow row = FindRow(pages, format, next, place, kWhat);
        if (claims)
            claims->Claim(next, place);
        const PageView piece(row.bytes, place);
        if (piece.Size() <= 4) // an empty piece could never end the chain
            place.Fail("a Memo or OLE value is damaged (an empty piece in its chain)");
        next = piece.U32(0);
        value.append(
            piece.Bytes(4, std::min<std::size_t>(piece.Size() - 4, length - value.size())));
    }
    if (value.size() != length)
        place.Fail("a Memo or OLE value is cut short (" + std::to_string(value.size()) + " of " +
                   std::to_string(length) + " bytes)");
    return value;
}

} // namespace jet
