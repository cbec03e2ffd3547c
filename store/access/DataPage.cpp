#include "store/access/DataPage.h"

#include <string>

namespace jet {

namespace {
constexpr unsigned char kDataPage = 0x01;
constexpr std::size_t kOwnerAt = 4;
constexpr std::uint16_t kOffsetMask = 0x1FFF;
} // namespace

bool DataPage::IsData(const Page& page)
{
    return !page.bytes.empty() && page.bytes[0] == kDataPage;
}

std::uint32_t DataPage::OwnerOf(const Page& page)
{
    return PageView(page.bytes, Place{{}, page.number}).U32(kOwnerAt);
}

DataPage::DataPage(PageRef page, const JetFormat& format, const Place& place)
    : page_(std::move(page)), format_(format), view_(page_->bytes, place)
{
    if (!IsData(*page_))
        place.Fail("it is not a data page");
    rows_ = view_.U16(format_.rowCountOffset);
    if (format_.rowCountOffset + 2 + std::size_t{rows_} * 2 > view_.Size())
        place.Fail("its table of " + std::to_string(rows_) + " rows runs past the page");
}

RowSlot DataPage::Row(unsigned index) const
{
    const std::size_t offsets = format_.rowCountOffset + 2;
    const std::uint16_t raw = view_.U16(offsets + 2 * std::size_t{index});
    RowSlot slot;
    slot.flags = raw & ~kOffsetMask;
    slot.start = raw & kOffsetMask;
    slot.end = index == 0 ? view_.Size() : view_.U16(offsets + 2 * (index - 1)) & kOffsetMask;
    const std::size_t headerEnd = format_.rowCountOffset + 2 + std::size_t{rows_} * 2;
    slot.onPage = slot.start >= headerEnd && slot.start <= slot.end && slot.end <= view_.Size();
    return slot;
}

std::string_view DataPage::Bytes(const RowSlot& slot) const
{
    return view_.Bytes(slot.start, slot.Size());
}

PointedRow FindRow(Pages& pages, const JetFormat& format, std::uint32_t pointer, const Place& place,
                   const char* what)
{
    const std::uint32_t number = pointer >> 8;
    const unsigned index = pointer & 0xFF;
    if (!pages.Has(number))
        place.Fail(std::string(what) + " points at page " + std::to_string(number) +
                   ", past the end of the file");
    PageRef page = pages.Get(number);
    if (!DataPage::IsData(*page))
        place.Fail(std::string(what) + " points at page " + std::to_string(number) +
                   ", which is not a data page");
    const DataPage data(page, format, Place{place.table, number});
    const RowSlot slot = index < data.RowCount() ? data.Row(index) : RowSlot{};
    if (!slot.onPage)
        place.Fail(std::string(what) + " points at row " + std::to_string(index) + " of page " +
                   std::to_string(number) + ", which is not there");
    return {page, data.Bytes(slot)};
}

} // namespace jet
