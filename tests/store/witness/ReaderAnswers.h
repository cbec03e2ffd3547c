#pragma once

#include "store/engine/DatabaseEngine.h"
#include "store/mdbreader/AnswerWriter.h"

#include <functional>
#include <string>
#include <vector>

// Reading an Access file with a reader's WriteCatalogue/WriteTable, as the
// reader process answers, in the tests' own process.
namespace witness {

using AnswerWork = std::function<void(mdbreader::AnswerWriter&)>;

// The answer that `work` writes; a failure it raises becomes a failure answer,
// as the reader program makes it.
std::string Answer(const AnswerWork& work);

// What a reader gives for one file, parsed as the store parses it: the
// catalogue and each table it lists, or the failure raised.
struct Reading
{
    std::vector<store::TableEntry> catalogue;
    std::string failure; // empty when the catalogue was read
};
using CatalogueWriter = std::function<void(const std::string&, mdbreader::AnswerWriter&)>;
using TableWriter =
    std::function<void(const std::string&, const std::string&, mdbreader::AnswerWriter&)>;
Reading ReadCatalogue(const CatalogueWriter& write, const std::string& path);
// The table, or the failure raised in `failure`.
store::RowSet ReadTable(const TableWriter& write, const std::string& path, const std::string& table,
                        std::string& failure);

// Puts the rows in an order of their own, for comparing two readings as sets.
void SortRows(store::RowSet& rows);

// The first difference between two readings of one table, in words naming
// the table, the row, the column and both values; empty when they agree.
std::string FirstDifference(const store::RowSet& reader, const store::RowSet& witness);

} // namespace witness
