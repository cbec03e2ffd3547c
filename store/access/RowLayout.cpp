#include "store/access/RowLayout.h"

#include "store/access/PageView.h"

#include <string>

namespace jet {

namespace {
// The offsets of the row's variable columns, and the end of their data
// after them; empty when the row has none.
class VarOffsets
{
public:
    VarOffsets() = default; // a table without variable columns
    VarOffsets(const PageView& row, std::size_t maskSize, const JetFormat& format)
    {
        if (format.version == JetVersion::Jet4)
            ReadJet4(row, maskSize);
        else
            ReadJet3(row, maskSize);
    }

    std::size_t Count() const { return offsets_.empty() ? 0 : offsets_.size() - 1; }
    std::size_t operator[](std::size_t i) const { return offsets_[i]; }

private:
    void ReadJet4(const PageView& row, std::size_t maskSize)
    {
        // ... offsets (u16 each, the first nearest the count), u16 count, mask
        if (row.Size() < maskSize + 2 + 2)
            row.Where().Fail("a row is too short for its column counts");
        const std::size_t countAt = row.Size() - maskSize - 2;
        const std::size_t count = row.U16(countAt);
        if ((count + 1) * 2 > countAt)
            row.Where().Fail("a row's table of " + std::to_string(count) +
                             " variable columns runs past the row");
        for (std::size_t i = 0; i <= count; ++i)
            offsets_.push_back(row.U16(countAt - 2 * (i + 1)));
    }

    // Jet 3 offsets are one byte each: a table of jumps, between the offsets
    // and the count, names the first offset of each further 256 bytes.
    void ReadJet3(const PageView& row, std::size_t maskSize)
    {
        const std::size_t size = row.Size();
        if (size < maskSize + 1 + 1)
            row.Where().Fail("a row is too short for its column counts");
        const std::size_t countAt = size - maskSize - 1;
        const std::size_t count = row.U8(countAt);
        std::size_t jumps = (size - 1) / 256;
        if (jumps + count + 1 > countAt)
            row.Where().Fail("a row's table of " + std::to_string(count) +
                             " variable columns runs past the row");
        const std::size_t firstOffsetAt = countAt - jumps - 1;
        // The last jump is a filler when the offsets do not reach that far.
        if ((firstOffsetAt - count) / 256 < jumps)
            --jumps;
        std::size_t used = 0;
        for (std::size_t i = 0; i <= count; ++i) {
            while (used < jumps && row.U8(countAt - 1 - used) == i)
                ++used;
            offsets_.push_back(row.U8(firstOffsetAt - i) + used * 256);
        }
    }

    std::vector<std::size_t> offsets_;
};
} // namespace

void SplitRow(std::string_view row, const TableDefinition& definition, const JetFormat& format,
              const Place& place, std::vector<Field>& fields)
{
    const PageView bytes(row, place);
    const std::size_t size = bytes.Size();
    if (size < format.countSize)
        place.Fail("a row is too short to hold anything");
    const std::size_t columns = bytes.Count(0, format.countSize);
    const std::size_t maskSize = (columns + 7) / 8;
    if (format.countSize + maskSize > size)
        place.Fail("a row is too short for its " + std::to_string(columns) + " columns");
    const std::size_t maskAt = size - maskSize;

    const VarOffsets offsets =
        definition.varColumnCount > 0 ? VarOffsets(bytes, maskSize, format) : VarOffsets();
    const std::size_t varColumns = offsets.Count();
    if (varColumns > columns)
        place.Fail("a row has more variable columns than columns");
    const std::size_t fixedColumns = columns - varColumns;

    fields.assign(definition.columns.size(), Field{});
    std::size_t fixedFound = 0;
    for (std::size_t i = 0; i < definition.columns.size(); ++i) {
        const Column& column = definition.columns[i];
        Field& field = fields[i];
        const std::size_t maskByte = column.number / 8;
        field.null =
            maskByte >= maskSize || !(bytes.U8(maskAt + maskByte) & (1u << (column.number % 8)));
        std::size_t start = 0;
        std::size_t end = 0;
        if (column.fixed && fixedFound < fixedColumns) {
            ++fixedFound;
            start = format.countSize + column.fixedOffset;
            end = start + column.size;
        } else if (!column.fixed && column.varIndex < varColumns) {
            start = offsets[column.varIndex];
            end = offsets[column.varIndex + 1];
        } else {
            field.null = true; // the row was written before the column was added
            continue;
        }
        // A NULL value keeps its place too: one outside the row is damage.
        if (start > end || end > size)
            place.Fail("a value of column '" + column.name + "' lies outside its row");
        if (!field.null)
            field.bytes = bytes.Bytes(start, end - start);
    }
}

} // namespace jet
