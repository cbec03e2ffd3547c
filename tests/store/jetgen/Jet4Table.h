#pragma once

#include "tests/store/jetgen/JetTable.h"

#include <cstdint>
#include <functional>
#include <string>

namespace jetgen {

// Where each column's value goes in a row: fixed-size columns at offsets of
// the fixed part, variable ones by their number, both in column order (as
// Access lays out a table).
struct Layout
{
    std::vector<int> fixedOffset; // per column; -1 for a variable one
    std::vector<int> varIndex;    // per column; -1 for a fixed one
    int fixedBytes = 0;
    int varCount = 0;
};
Layout LayOut(const std::vector<Column>& columns);

// Memo and OLE values: the data in, the 12-byte field the row holds out (the
// data inline, or pointing at long-value pages).
using LongValueStore = std::function<std::string(const std::string& data)>;

// One row as a data page holds it.
std::string EncodeRow(const std::vector<Column>& columns, const Layout& layout, const Row& row,
                      const LongValueStore& longValues);

// Where a table's pages are, for its definition.
struct TablePlace
{
    std::uint32_t rows = 0;         // rows not deleted
    std::uint32_t usedPagesMap = 0; // row pointers (page << 8 | row) of its usage maps
    std::uint32_t freePagesMap = 0;
};
// The table definition page: no index, the columns listed by name (as
// Access lists them).
std::string TableDefinitionPage(const std::vector<Column>& columns, const Layout& layout,
                                const TablePlace& place);

} // namespace jetgen
