#include "tests/store/access/JetBytes.h"

#include "store/access/Unreadable.h"
#include "tests/support/RaisedText.h"

namespace jetbytes {

std::string U16(unsigned value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string U32(std::uint32_t value)
{
    return U16(value & 0xFFFF) + U16(value >> 16);
}

void Put(std::string& into, std::size_t offset, const std::string& bytes)
{
    if (into.size() < offset + bytes.size())
        into.resize(offset + bytes.size(), '\0');
    into.replace(offset, bytes.size(), bytes);
}

std::string Utf16(const std::string& ascii)
{
    std::string out;
    for (const char c : ascii)
        out += std::string{c, '\0'};
    return out;
}

std::uint32_t LongValueOwner()
{
    return 'L' | ('V' << 8) | ('A' << 16) | (std::uint32_t{'L'} << 24);
}

std::string DataPage(std::uint32_t owner, const std::vector<Row>& rows)
{
    std::string page(kPage, '\0');
    page[0] = 0x01;
    page[1] = 0x01;
    Put(page, 4, U32(owner));
    Put(page, 12, U16(static_cast<unsigned>(rows.size())));
    std::size_t end = kPage;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::size_t start = end - rows[i].first.size();
        Put(page, start, rows[i].first);
        Put(page, 14 + 2 * i, U16(static_cast<unsigned>(start) | rows[i].second));
        end = start;
    }
    return page;
}

std::string Row4(unsigned columns, const std::string& fixedPart,
                 const std::vector<std::string>& varValues, const std::vector<bool>& present)
{
    std::string row = U16(columns) + fixedPart;
    std::vector<unsigned> offsets;
    for (const std::string& value : varValues) {
        offsets.push_back(static_cast<unsigned>(row.size()));
        row += value;
    }
    if (!varValues.empty()) {
        row += U16(static_cast<unsigned>(row.size())); // the end of the variable data
        for (auto it = offsets.rbegin(); it != offsets.rend(); ++it)
            row += U16(*it);
        row += U16(static_cast<unsigned>(varValues.size()));
    }
    std::string mask((columns + 7) / 8, '\0');
    for (std::size_t i = 0; i < present.size(); ++i)
        if (present[i])
            mask[i / 8] = static_cast<char>(mask[i / 8] | (1 << (i % 8)));
    return row + mask;
}

std::string Definition4(std::uint32_t rows, const std::vector<ColumnSpec>& columns,
                        std::uint32_t usageMap, std::uint32_t next)
{
    std::string page(kPage, '\0');
    page[0] = 0x02;
    page[1] = 0x01;
    Put(page, 4, U32(next));
    Put(page, 16, U32(rows));
    unsigned varColumns = 0;
    for (const ColumnSpec& column : columns)
        varColumns += column.fixed ? 0 : 1;
    Put(page, 43, U16(varColumns));
    Put(page, 45, U16(static_cast<unsigned>(columns.size())));
    Put(page, 55, U32(usageMap));
    std::size_t at = 63;
    for (const ColumnSpec& column : columns) {
        std::string entry(25, '\0');
        entry[0] = static_cast<char>(column.type);
        entry[5] = static_cast<char>(column.number);
        entry[11] = static_cast<char>(column.precision);
        entry[12] = static_cast<char>(column.scale);
        entry[15] = column.fixed ? 0x01 : 0x00;
        Put(entry, column.fixed ? 21 : 7, U16(column.offset));
        Put(entry, 23, U16(column.size));
        Put(page, at, entry);
        at += entry.size();
    }
    for (const ColumnSpec& column : columns) {
        const std::string name = Utf16(column.name);
        Put(page, at, U16(static_cast<unsigned>(name.size())) + name);
        at += 2 + name.size();
    }
    page.resize(kPage);
    return page;
}

std::string File(const std::vector<std::string>& pages)
{
    std::string file;
    for (const std::string& page : pages)
        file += page;
    return file;
}

std::string FailureOf(const std::function<void()>& read)
{
    return testsupport::RaisedText<jet::Unreadable>(
        read, [](const jet::Unreadable& failure) { return std::string(failure.what()); });
}

} // namespace jetbytes
