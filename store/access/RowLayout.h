#pragma once

#include "store/access/JetFormat.h"
#include "store/access/TableDefinition.h"
#include "store/access/Unreadable.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace jet {

// One column's value in a row: its bytes, or NULL. A Yes/No column's value
// is its bit in the NULL mask: `null` false means Yes.
struct Field
{
    bool null = true;
    std::string_view bytes;
};

// Splits a row into one field per column of `definition`, in its order.
//
// A row: its column count (u8 Jet 3, u16 Jet 4), the fixed columns, the
// variable columns, then from its end backwards: the NULL mask (one bit per
// column, 1 = present), the count of variable columns, their offsets from the
// row's start, last of them the end of the variable data (Jet 4: u16 each;
// Jet 3: u8 each, with a table of jumps by 256 before the count). A row keeps
// the columns it was written with: columns added later are NULL in it.
//
// Raises, naming `place`, when anything of the row lies outside it.
void SplitRow(std::string_view row, const TableDefinition& definition, const JetFormat& format,
              const Place& place, std::vector<Field>& fields);

} // namespace jet
