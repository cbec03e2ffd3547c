#pragma once

#include "tests/store/jetgen/JetTable.h"

#include <string>
#include <vector>

namespace jetgen {

// Writes a Jet 4 (Access 2000) file at `path`, replacing it: the empty
// database of the test fixtures (emptyJet4.mdb) with `tables` added, each
// with its catalogue row, definition, usage maps, data pages and long-value
// pages. The tables have no index, and the system tables' indexes are left as
// they were: a reader that scans the catalogue needs none. Raises
// std::invalid_argument for a table or value that cannot be written.
void WriteJet4File(const std::string& path, const std::vector<Table>& tables);

} // namespace jetgen
