#pragma once

#include "store/engine/AnswerCursor.h"
#include "store/engine/DatabaseEngine.h"

#include <string_view>
#include <vector>

namespace store {

// Read the answers that tavrin-mdb-reader writes (MdbReaderProtocol.h). Every
// length is checked against what is left of the answer. An answer that is
// damaged or cut short raises a reader failure (MdbReaderProcess.h) saying
// so; a failure answer raises one with the reader's own description.
// Each reads the whole answer, its end included, from the source as it comes,
// or from all of it at hand.
std::vector<TableEntry> ParseCatalogueAnswer(const AnswerSource& answer);
std::vector<TableEntry> ParseCatalogueAnswer(std::string_view answer);
RowSet ParseTableAnswer(const AnswerSource& answer);
RowSet ParseTableAnswer(std::string_view answer);
// The same answer handed to `sink` row by row, as it is read; returns the
// table's name. Rows before a damaged or failed part have gone to the sink.
// Holds one row at a time.
std::string StreamTableAnswer(const AnswerSource& answer, const RowSink& sink);
std::string StreamTableAnswer(std::string_view answer, const RowSink& sink);

} // namespace store
