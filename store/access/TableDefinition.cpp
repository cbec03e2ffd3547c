#include "store/access/TableDefinition.h"

#include "store/access/LittleEndian.h"

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

    // The `size` bytes at `offset`, read from as many pages as they need.
    const unsigned char* At(std::uint64_t offset, std::size_t size)
    {
        while (offset + size > bytes_.size()) {
            const std::uint32_t next = Le32(last_->bytes.data() + kNextPageAt);
            if (next == 0)
                place_.Fail("the table's definition ends before its columns do");
            Append(next, kContinuationHeader);
        }
        return bytes_.data() + offset;
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
        if (last_->bytes[0] != kDefinitionPage)
            place_.Fail("it is not a table definition page");
        bytes_.insert(bytes_.end(), last_->bytes.begin() + static_cast<std::ptrdiff_t>(from),
                      last_->bytes.end());
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
    definition.rowCount = Le32(in.At(format.rowsOffset, 4));
    definition.varColumnCount = Le16(in.At(format.varColumnsOffset, 2));
    const std::uint16_t columnCount = Le16(in.At(format.columnsOffset, 2));
    const std::uint32_t realIndexes = Le32(in.At(format.realIndexesOffset, 4));
    definition.usageMap = Le32(in.At(format.usageMapOffset, 4));
    if (columnCount == 0 || columnCount > kMaxColumns)
        in.Where().Fail("the table's definition names " + std::to_string(columnCount) + " columns");

    std::uint64_t at =
        format.firstEntryOffset + std::uint64_t{realIndexes} * format.realIndexEntrySize;
    for (unsigned i = 0; i < columnCount; ++i, at += format.columnEntrySize) {
        const unsigned char* entry = in.At(at, format.columnEntrySize);
        Column column;
        column.type = entry[0];
        column.number = entry[format.columnNumberAt];
        column.varIndex = Le16(entry + format.varIndexAt);
        column.fixed = (entry[format.flagsAt] & kFixedFlag) != 0;
        column.fixedOffset = Le16(entry + format.fixedOffsetAt);
        column.size = column.type == kBoolean ? 0 : Le16(entry + format.sizeAt);
        if (column.type == kNumeric) {
            column.scale = entry[format.scaleAt];
            column.precision = entry[format.precisionAt];
        }
        definition.columns.push_back(std::move(column));
    }
    for (Column& column : definition.columns) {
        const unsigned char* length = in.At(at, format.nameLengthSize);
        const std::size_t size = format.nameLengthSize == 1 ? length[0] : Le16(length);
        at += format.nameLengthSize;
        const unsigned char* name = in.At(at, size);
        column.name = decode({reinterpret_cast<const char*>(name), size});
        at += size;
    }
    std::stable_sort(definition.columns.begin(), definition.columns.end(),
                     [](const Column& a, const Column& b) { return a.number < b.number; });
    return definition;
}

} // namespace jet
