#include "tools/cli/RowList.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace cli {

namespace {

std::optional<int> Position(std::string_view text)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end || value < 1)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<RowRanges> ParseRowList(const std::string& text)
{
    RowRanges ranges;
    std::string_view rest = text;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        const std::size_t dash = item.find('-');
        const std::optional<int> first = Position(item.substr(0, dash));
        const std::optional<int> last =
            dash == std::string_view::npos ? first : Position(item.substr(dash + 1));
        if (!first || !last || *last < *first)
            return std::nullopt;
        ranges.emplace_back(*first, *last);
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    return ranges;
}

std::optional<std::vector<int>> RowsWithin(const RowRanges& ranges, int cueRows, int& outOfRange)
{
    // Checked before anything is expanded: "1-2000000000" is a typo, not a
    // reason to take the memory of two thousand million rows.
    for (const auto& [first, last] : ranges) {
        if (last > cueRows) {
            outOfRange = std::max(first, cueRows + 1);
            return std::nullopt;
        }
    }
    std::vector<bool> chosen(static_cast<std::size_t>(cueRows) + 1, false);
    for (const auto& [first, last] : ranges)
        std::fill(chosen.begin() + first, chosen.begin() + last + 1, true);
    std::vector<int> rows;
    for (int row = 1; row <= cueRows; ++row)
        if (chosen[static_cast<std::size_t>(row)])
            rows.push_back(row);
    return rows;
}

} // namespace cli
