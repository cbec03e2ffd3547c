#pragma once

#include "store/mdbreader/AnswerWriter.h"

#include <string>

namespace mdbreader {

// Both raise ado::_com_error, its description saying why the file cannot be
// read as asked, in words for the user.
// Writes the answer listing the tables of the Access file at `path`.
void WriteCatalogue(const std::string& path, AnswerWriter& out);
// Writes the answer holding the columns and every row of one table.
void WriteTable(const std::string& path, const std::string& table, AnswerWriter& out);

} // namespace mdbreader
