#include "tests/store/jetgen/Jet4Table.h"

#include "tests/store/jetgen/Jet4Encoding.h"
#include "tests/store/jetgen/Jet4Page.h"

#include <algorithm>
#include <cctype>
#include <numeric>
#include <stdexcept>

namespace jetgen {

namespace {
constexpr std::uint32_t kTableMagic = 0x0659; // Access's constant in every definition
constexpr std::size_t kColumnsAt = 63;
constexpr std::uint16_t kGeneralSortOrder = 0x0409;

bool IsTextual(Type type)
{
    return type == Type::Text || type == Type::Memo;
}

// The bytes of a variable-length value (Memo and OLE through the store).
std::string VariableValue(const Column& column, const Value& value,
                          const LongValueStore& longValues)
{
    const auto* bytes = std::get_if<std::string>(&value);
    if (!bytes)
        Misfit(column, "a value that is not text or bytes");
    switch (column.type) {
    case Type::Text: {
        std::string stored = StoredText(*bytes, column.compressed);
        if (Utf16(*bytes).size() > 2 * static_cast<std::size_t>(column.size))
            Misfit(column, "a text longer than the column");
        return stored;
    }
    case Type::Binary:
        if (bytes->size() > static_cast<std::size_t>(column.size))
            Misfit(column, "bytes longer than the column");
        return *bytes;
    case Type::Memo: {
        // Access compresses a memo only when it has at most 1024 characters.
        const bool compress = column.compressed && Utf16(*bytes).size() <= 2048;
        return longValues(StoredText(*bytes, compress));
    }
    default:
        return longValues(*bytes);
    }
}
} // namespace

Layout LayOut(const std::vector<Column>& columns)
{
    Layout layout;
    for (const Column& column : columns) {
        const int size = FixedSize(column.type);
        layout.fixedOffset.push_back(size >= 0 ? layout.fixedBytes : -1);
        layout.varIndex.push_back(size >= 0 ? -1 : layout.varCount);
        if (size >= 0)
            layout.fixedBytes += size;
        else
            ++layout.varCount;
    }
    return layout;
}

std::string EncodeRow(const std::vector<Column>& columns, const Layout& layout, const Row& row,
                      const LongValueStore& longValues)
{
    if (row.values.size() != columns.size())
        throw std::invalid_argument("a row has " + std::to_string(row.values.size()) +
                                    " values for " + std::to_string(columns.size()) + " columns");
    std::string out;
    PutLe(out, columns.size(), 2);
    std::string fixed(static_cast<std::size_t>(layout.fixedBytes), '\0');
    std::vector<std::size_t> varStart(static_cast<std::size_t>(layout.varCount));
    std::string nullMask((columns.size() + 7) / 8, '\0');
    std::string variable;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const Column& column = columns[i];
        const Value& value = row.values[i];
        const bool isNull = std::holds_alternative<std::monostate>(value);
        bool bit = !isNull;
        if (column.type == Type::Boolean) {
            // A Yes/No value is its bit in the NULL mask.
            if (!isNull && !std::holds_alternative<bool>(value))
                Misfit(column, "a value that is not yes or no");
            bit = !isNull && std::get<bool>(value);
        } else if (layout.fixedOffset[i] >= 0) {
            fixed.replace(static_cast<std::size_t>(layout.fixedOffset[i]),
                          static_cast<std::size_t>(FixedSize(column.type)),
                          FixedValue(column, value));
        } else {
            varStart[static_cast<std::size_t>(layout.varIndex[i])] = variable.size();
            if (!isNull)
                variable += VariableValue(column, value, longValues);
        }
        if (bit)
            nullMask[i / 8] = static_cast<char>(nullMask[i / 8] | (1 << (i % 8)));
    }
    out += fixed;
    const std::size_t varBase = out.size();
    out += variable;
    if (layout.varCount > 0) {
        // The end of the data, each variable value's offset, last first, and
        // their count.
        PutLe(out, out.size(), 2);
        for (auto start = varStart.rbegin(); start != varStart.rend(); ++start)
            PutLe(out, varBase + *start, 2);
        PutLe(out, static_cast<std::uint64_t>(layout.varCount), 2);
    }
    out += nullMask;
    if (out.size() > kMaxRowBytes)
        throw std::invalid_argument("a row of " + std::to_string(out.size()) +
                                    " bytes does not fit on a page");
    return out;
}

std::string TableDefinitionPage(const std::vector<Column>& columns, const Layout& layout,
                                const TablePlace& place)
{
    std::string page;
    page += "\x02\x01";
    PutLe(page, 0, 2); // free space, below
    PutLe(page, 0, 4); // no next definition page
    PutLe(page, 0, 4); // the definition's length, below
    PutLe(page, kTableMagic, 4);
    PutLe(page, place.rows, 4);
    PutLe(page, 0, 4); // next autonumber
    PutLe(page, 1, 4); // autonumbers work
    page.append(12, '\0');
    page.push_back('\x4e'); // a user table
    PutLe(page, columns.size(), 2);
    PutLe(page, static_cast<std::uint64_t>(layout.varCount), 2);
    PutLe(page, columns.size(), 2);
    PutLe(page, 0, 4); // indexes
    PutLe(page, 0, 4); // index entries
    PutLe(page, place.usedPagesMap, 4);
    PutLe(page, place.freePagesMap, 4);
    if (page.size() != kColumnsAt)
        throw std::logic_error("the table definition header is misplaced");

    std::vector<std::size_t> byName(columns.size());
    std::iota(byName.begin(), byName.end(), 0);
    std::stable_sort(byName.begin(), byName.end(), [&](std::size_t a, std::size_t b) {
        const auto lower = [](unsigned char c) { return std::tolower(c); };
        const std::string& x = columns[a].name;
        const std::string& y = columns[b].name;
        return std::lexicographical_compare(
            x.begin(), x.end(), y.begin(), y.end(), [&](char p, char q) {
                return lower(static_cast<unsigned char>(p)) < lower(static_cast<unsigned char>(q));
            });
    });
    for (const std::size_t i : byName) {
        const Column& column = columns[i];
        const bool fixed = layout.fixedOffset[i] >= 0;
        page.push_back(static_cast<char>(column.type));
        PutLe(page, kTableMagic, 4);
        PutLe(page, i, 2);
        PutLe(page, fixed ? 0 : static_cast<std::uint64_t>(layout.varIndex[i]), 2);
        PutLe(page, i, 2);
        if (IsTextual(column.type)) {
            PutLe(page, kGeneralSortOrder, 4);
        } else if (column.type == Type::Numeric) {
            page.push_back(static_cast<char>(column.precision));
            page.push_back(static_cast<char>(column.scale));
            PutLe(page, 0, 2);
        } else {
            PutLe(page, 0, 4);
        }
        page.push_back(fixed ? '\x13' : '\x12'); // fixed, may be NULL
        page.push_back(IsTextual(column.type) && column.compressed ? '\x01' : '\0');
        PutLe(page, 0, 4);
        PutLe(page, fixed ? static_cast<std::uint64_t>(layout.fixedOffset[i]) : 0, 2);
        std::uint64_t length = 0;
        if (column.type == Type::Text)
            length = 2 * static_cast<std::uint64_t>(column.size);
        else if (column.type == Type::Binary)
            length = static_cast<std::uint64_t>(column.size);
        else if (column.type == Type::Boolean)
            length = 1; // as Access gives it
        else if (fixed)
            length = static_cast<std::uint64_t>(FixedSize(column.type));
        PutLe(page, length, 2);
    }
    for (const std::size_t i : byName) {
        const std::string name = Utf16(columns[i].name);
        PutLe(page, name.size(), 2);
        page += name;
    }
    page += "\xFF\xFF";
    PutLe(page, 0, 8);
    if (page.size() > kPageSize)
        throw std::invalid_argument("the columns do not fit on one table definition page");
    SetLe(page, 2, kPageSize - page.size(), 2);
    SetLe(page, 8, page.size() - 8, 4);
    page.resize(kPageSize, '\0');
    return page;
}

} // namespace jetgen
