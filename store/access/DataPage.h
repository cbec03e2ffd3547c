#pragma once

#include "store/access/JetFormat.h"
#include "store/access/PageView.h"
#include "store/access/Pages.h"
#include "store/access/Unreadable.h"

#include <cstdint>
#include <string_view>

namespace jet {

// One row's place on a data page, from the page's table of row offsets. A
// row runs from its offset to the offset of the row before it (the first to
// the page's end). The offset's top bits are flags.
struct RowSlot
{
    std::uint16_t flags = 0;
    std::size_t start = 0;
    std::size_t end = 0;
    bool onPage = false; // start and end lie on the page, after its header, in order

    // Deleted (both bits), or moved to another page (only this bit; the row
    // holds a pointer to where it lies now). Either way the table's rows skip it.
    bool IsGone() const { return (flags & 0x4000) != 0; }
    bool IsPointer() const { return (flags & 0xC000) == 0x4000; }
    std::size_t Size() const { return end - start; }
};

// A data page: the rows of one table, or long values. Its header: u8 type 1,
// u8, u16 free space, u32 owner (the table definition's page, or "LVAL"),
// (Jet 4: u32), u16 row count, then a u16 offset per row.
class DataPage
{
public:
    // Raises, naming `place`, when the page is no data page or its table of
    // row offsets runs past it.
    DataPage(PageRef page, const JetFormat& format, const Place& place);

    static bool IsData(const Page& page);
    // The page of the table definition whose rows it holds.
    static std::uint32_t OwnerOf(const Page& page);

    const Page& GetPage() const { return *page_; }
    unsigned RowCount() const { return rows_; }
    RowSlot Row(unsigned index) const;
    std::string_view Bytes(const RowSlot& slot) const;

private:
    PageRef page_;
    const JetFormat& format_;
    PageView view_; // of page_, which keeps its bytes
    unsigned rows_ = 0;
};

// The bytes of one row found by a row pointer (page number << 8 | row), as
// long values and usage maps are: raises, naming `place` and `what`, when the
// pointer leads nowhere.
struct PointedRow
{
    PageRef page;
    std::string_view bytes;
};
PointedRow FindRow(Pages& pages, const JetFormat& format, std::uint32_t pointer, const Place& place,
                   const char* what);

} // namespace jet
