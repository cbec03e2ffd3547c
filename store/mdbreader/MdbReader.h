#pragma once

#include "store/access/Catalogue.h"
#include "store/access/JetFile.h"
#include "store/mdbreader/AnswerWriter.h"

#include <string>
#include <vector>

namespace mdbreader {

// Each raises jet::Unreadable, its text saying why the file cannot be read as
// asked, in words for the user.
// Writes the answer listing the tables of the Access file.
void WriteCatalogue(const std::string& path, AnswerWriter& out);
// The same from a file already open and its catalogue read (the fuzzer reads
// every table of one input so).
void WriteCatalogueFrom(const std::vector<jet::CatalogueEntry>& catalogue, AnswerWriter& out);
// Writes the answer holding the columns and every row of one table.
void WriteTable(const std::string& path, const std::string& table, AnswerWriter& out);
void WriteTableFrom(jet::JetFile& file, const std::vector<jet::CatalogueEntry>& catalogue,
                    const std::string& table, AnswerWriter& out);
// Writes the whole answer for one table as the reader program answers a
// damaged one: its rows and trailer, or the failure that stopped them.
// The file's damage raises nothing here: it becomes the answer.
void AnswerTableFrom(jet::JetFile& file, const std::vector<jet::CatalogueEntry>& catalogue,
                     const std::string& table, AnswerWriter& out);

} // namespace mdbreader
