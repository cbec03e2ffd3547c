#pragma once

#include "store/access/ByteSource.h"
#include "store/mdbreader/AnswerWriter.h"

#include <string>

namespace mdbreader {

// Each raises jet::Unreadable, its text saying why the file cannot be read as
// asked, in words for the user.
// Writes the answer listing the tables of the Access file.
void WriteCatalogue(const std::string& path, AnswerWriter& out);
void WriteCatalogue(jet::ByteSource& file, AnswerWriter& out);
// Writes the answer holding the columns and every row of one table.
void WriteTable(const std::string& path, const std::string& table, AnswerWriter& out);
void WriteTable(jet::ByteSource& file, const std::string& table, AnswerWriter& out);

} // namespace mdbreader
