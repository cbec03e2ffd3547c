#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace cli {

// Grid positions as a user writes them: numbers from 1 and ranges, separated
// by commas ("1-40,52").
using RowRanges = std::vector<std::pair<int, int>>; // first, last; first <= last

// Nothing when the text is not such a list (empty, a reversed range, a 0,
// anything else).
std::optional<RowRanges> ParseRowList(const std::string& text);

// The rows of the ranges, ascending and each once, when all lie in
// 1..cueRows; otherwise nothing, with the first row past the end.
std::optional<std::vector<int>> RowsWithin(const RowRanges& ranges, int cueRows, int& outOfRange);

} // namespace cli
