#pragma once

#include "store/mdbreader/AnswerWriter.h"

#include <string>

// The reader that Tavrin used before it had its own, kept as an independent
// witness for the tests: it reads Access files with mdbtools' libmdb and
// writes the same answers (MdbReaderProtocol.h). libmdb may crash or loop on
// a damaged file, so the tests give it only good ones (the fixtures and the
// generated files).
namespace witness {

// Both raise ado::_com_error, its description saying why the file cannot be
// read as asked.
// Writes the answer listing the tables of the Access file at `path`.
void WriteCatalogue(const std::string& path, mdbreader::AnswerWriter& out);
// Writes the answer holding the columns and every row of one table.
void WriteTable(const std::string& path, const std::string& table, mdbreader::AnswerWriter& out);

} // namespace witness
