#pragma once

#include "store/engine/DatabaseEngine.h"

#include <string>
#include <vector>

namespace store {

// The tables of `tables` that the SQL text names, spelled as the catalogue
// spells them. Names match without regard to case, as Jet matches them;
// quoted texts ('...') are passed over. Words that merely look like a table's
// name (a column of the same name) count too: copying a table too many does
// no harm.
std::vector<std::string> TablesNamedIn(const std::string& sql,
                                       const std::vector<TableEntry>& tables);

// Creates the table `name` in `target` with the rows' declared column types
// and fills it with the rows: all of it, or nothing when a step fails.
void CopyTableInto(DatabaseEngine& target, const std::string& name, const RowSet& rows);

} // namespace store
