#pragma once

#include "store/access/JetFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace jet {

// One object the file lists in its table MSysObjects.
struct CatalogueEntry
{
    std::string name;
    std::uint32_t definitionPage = 0; // for tables
    int type = 0;                     // 1: a table (queries, forms, links are others)
    std::uint32_t flags = 0;

    bool IsTable() const { return type == 1; }
    bool IsSystemTable() const { return IsTable() && (flags & 0x80000002u) != 0; }
};

// Reads MSysObjects (its definition is always on page 2) whole, in its row
// order. Raises when it cannot be read: a file whose list of tables is
// damaged or cut short is refused as a whole.
std::vector<CatalogueEntry> ReadCatalogue(JetFile& file);

// The table named `name`: the one spelt so, else the first whose name
// differs only in the case of ASCII letters; none when there is neither.
const CatalogueEntry* FindTable(const std::vector<CatalogueEntry>& entries,
                                const std::string& name);

} // namespace jet
