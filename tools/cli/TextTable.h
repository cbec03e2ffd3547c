#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli {

using TextRow = std::vector<std::string>;

// Rows in columns padded to the widest cell, two blanks apart; CJK
// characters count as two columns, as a terminal shows them. Control
// characters are shown as \xNN in both forms (the CSV keeps line breaks).
void WriteAligned(std::ostream& out, const std::vector<TextRow>& rows);

// Comma-separated values: a cell with a comma, a quote or a line break is
// quoted, its quotes doubled.
void WriteCsv(std::ostream& out, const std::vector<TextRow>& rows);

} // namespace cli
