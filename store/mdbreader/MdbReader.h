#pragma once

#include "AnswerWriter.h"

#include <stdexcept>
#include <string>

namespace mdbreader {

// The file cannot be read as asked; the text says why, for the user.
struct ReadFailure : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// Writes the answer listing the tables of the Access file at `path`.
void WriteCatalogue(const std::string& path, AnswerWriter& out);
// Writes the answer holding the columns and every row of one table.
void WriteTable(const std::string& path, const std::string& table, AnswerWriter& out);

} // namespace mdbreader
