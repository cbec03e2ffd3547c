#include "store/access/TableDefinition.h"

#include "store/access/PageView.h"

#include <algorithm>
#include <set>

namespace jet {

namespace {
constexpr unsigned char kDefinitionPage = 0x02;
constexpr std::size_t kNextPageAt = 4;
constexpr std::size_t kContinuationHeader = 8;
constexpr std::size_t kMaxColumns = 255; // Access allows 255
constexpr unsigned char kFixedFlag = 0x01;

// The definition's bytes, gathered from its chain of pages as far as they are
// needed.
class DefinitionBytes
{
public:
    DefinitionBytes(Pages& pages, std::uint32_t first, const std::string& table)
        : pages_(pages), place_{table, first}
    {
        Append(first, 0);
    }

    // The `size` bytes at `offset`, read from as many pages as they need;
    // the view lasts until the next call.
    PageView At(std::uint64_t offset, std::size_t size)
    {
        while (offset + size > bytes_.size()) {
            const std::uint32_t next = PageView(last_->bytes, place_).U32(kNextPageAt);
            if (next == 0)
                place_.Fail("the table's definition ends before its columns do");
            Append(next, kContinuationHeader);
        }
        return {std::span(bytes_).subspan(offset, size), place_};
    }
    const Place& Where() const { return place_; }

private:
    void Append(std::uint32_t number, std::size_t from)
    {
        place_.page = number;
        if (!visited_.insert(number).second)
            place_.Fail("the table's definition goes round in a loop of pages");
        if (!pages_.Has(number))
            place_.Fail("the table's definition lies past the end of the file");
        last_ = pages_.Get(number);
        const PageView page(last_->bytes, place_);
        if (page.U8(0) != kDefinitionPage)
            place_.Fail("it is not a table definition page");
        const std::string_view rest = page.Bytes(from, page.Size() - from);
        bytes_.insert(bytes_.end(), rest.begin(), rest.end());
    }

    Pages& pages_;
    Place place_;
    PageRef last_;
    std::vector<unsigned char> bytes_;
    std::set<std::uint32_t> visited_;
};
} // namespace

TableDefinition ReadTableDefinition(Pages& pages, const JetFormat& format, std::uint32_t page,
                                    const std::string& table, const TextDecoder& decode)
{
    DefinitionBytes in(pages, page, table);
    TableDefinition definition;
    definition.rowCount = in.At(format.rowsOffset, 4).U32(0);
    definition.varColumnCount = in.At(format.varColumnsOffset, 2).U16(0);
    const std::uint16_t columnCount = in.At(format.columnsOffset, 2).U16(0);
    const std::uint32_t realIndexes = in.At(format.realIndexesOffset, 4).U32(0);
    definition.usageMap = in.At(format.usageMapOffset, 4).U32(0);
    if (columnCount == 0 || columnCount > kMaxColumns)
        in.Where().Fail("the table's definition names " + std::to_string(columnCount) + " columns");

    std::uint64_t at =
        format.firstEntryOffset + std::uint64_t{realIndexes} * format.realIndexEntrySize;
    for (unsigned i = 0; i < columnCount; ++i, at += format.columnEntrySize) {
        const PageView entry = in.At(at, format.columnEntrySize);
        Column column;
        column.type = entry.U8(0);
        column.number = entry.U8(format.columnNumberAt);
        column.varIndex = entry.U16(format.varIndexAt);
        column.fixed = (entry.U8(format.flagsAt) & kFixedFlag) != 0;
        column.fixedOffset = entry.U16(format.fixedOffsetAt);
        column.size = column.type == kBoolean ? 0 : entry.U16(format.sizeAt);
        if (column.type == kNumeric) {
            column.scale = entry.U8(format.scaleAt);
            column.precision = entry.U8(format.precisionAt);
        }
        definition.columns.push_back(std::move(column));
    }
    for (Column& column : definition.columns) {
        const std::size_t size = in.At(at, format.nameLengthSize).Count(0, format.nameLengthSize);
        at += format.nameLengthSize;
        column.name = decode(in.At(at, size).Bytes(0, size));
        at += size;
    }
    std::stable_sort(definition.columns.begin(), definition.columns.end(),
                     [](const Column& a, const Column& b) { return a.number < b.number; });
    return definition;
}

} // namespace jet
