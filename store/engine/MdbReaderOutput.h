#pragma once

#include "store/engine/DatabaseEngine.h"

#include <string_view>
#include <vector>

namespace store {

// Read the answers that tavrin-mdb-reader writes (MdbReaderProtocol.h). Every
// length is checked against what is left of the answer. An answer that is
// damaged or cut short raises a reader failure (MdbReaderProcess.h) saying
// so; a failure answer raises one with the reader's own description.
std::vector<TableEntry> ParseCatalogueAnswer(std::string_view answer);
RowSet ParseTableAnswer(std::string_view answer);
// The same answer handed to `sink` row by row, as it is read; returns the
// table's name. Rows before a damaged or failed part have gone to the sink.
std::string StreamTableAnswer(std::string_view answer, const RowSink& sink);

} // namespace store
