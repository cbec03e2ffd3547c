#pragma once

#include "tests/store/jetgen/JetTable.h"

#include <cstdint>
#include <string>

namespace jetgen {

struct RandomShape
{
    std::uint64_t seed = 1;
    std::size_t rows = 100;
    int nullPercent = 10;    // how often a value (but the key's) is NULL
    int deletedPercent = 0;  // how often a row is written and then flagged deleted
    int longPercent = 0;     // how often a Memo or OLE value goes on long-value pages
    int overflowPercent = 0; // how often a row is moved to the next page (Row::overflow)
    bool compressed = true;  // whether the Text and Memo columns may use compressed Unicode
    bool numeric = true;     // whether the table has its Numeric column
};

// A table with a column of every type the reader carries, its rows drawn
// from the seed: a key "Id" (1, 2, ...) first, then Boolean, Byte, Integer,
// Currency, Single, Double, DateTime, Text(20), Text(60) of Latin, Chinese and
// other characters, Memo, OLE, Binary(32), GUID and (unless left out)
// Numeric(18, 4).
Table RandomTable(const std::string& name, const RandomShape& shape);

// The columns of a FireOne show's FireData: ID Long, LaunchTimeMS Long, Event
// Integer, Slat Integer, Cue Integer, Position Text(10), Description Text(80).
std::vector<Column> FireDataColumns();
// FireData with random rows (IDs 1, 2, ...; long values are never drawn).
Table RandomFireData(const RandomShape& shape);

} // namespace jetgen
