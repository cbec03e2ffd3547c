#include "editor/CueRule.h"

#include "show/Cue.h"
#include "show/DecimalValue.h"
#include "show/HostNameText.h"
#include "show/LaunchTime.h"
#include "store/LayoutTable.h"

#include <charconv>

namespace editor {

namespace {

std::optional<std::int32_t> SignedNumber(std::string_view text, std::size_t& used)
{
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at == text.data())
        return std::nullopt;
    used = static_cast<std::size_t>(at - text.data());
    return value;
}

bool Within(const std::optional<NumberRange>& range, std::string_view text)
{
    if (!range)
        return true;
    const std::optional<std::int32_t> value = show::DecimalValue(text);
    return value && *value >= range->first && *value <= range->last;
}

std::string Cell(const FlexGrid& grid, int row, int column)
{
    return grid.QueryCell(kQueryCellText, row, column);
}

} // namespace

std::optional<std::int32_t> ParseWholeNumber(std::string_view text)
{
    std::size_t used = 0;
    const std::optional<std::int32_t> value = SignedNumber(text, used);
    if (!value || used != text.size())
        return std::nullopt;
    return value;
}

std::optional<NumberRange> ParseNumberRange(std::string_view text)
{
    std::size_t used = 0;
    const std::optional<std::int32_t> first = SignedNumber(text, used);
    if (!first)
        return std::nullopt;
    if (used == text.size())
        return NumberRange{*first, *first};
    if (text[used] != '-')
        return std::nullopt;
    const std::optional<std::int32_t> last = ParseWholeNumber(text.substr(used + 1));
    if (!last || *last < *first)
        return std::nullopt;
    return NumberRange{*first, *last};
}

bool CueRowMatches(const FlexGrid& grid, int row, const CueRule& rule)
{
    if (!Within(rule.modules, Cell(grid, row, show::kColumnSla)) ||
        !Within(rule.channels, Cell(grid, row, show::kColumnCue)))
        return false;
    if (rule.from || rule.to) {
        const std::optional<std::int32_t> time =
            show::ParseLaunchTime(Cell(grid, row, show::kColumnLaunchTime));
        if (!time || (rule.from && *time < *rule.from) || (rule.to && *time > *rule.to))
            return false;
    }
    if (rule.event && ParseWholeNumber(Cell(grid, row, show::kColumnEvent)) != rule.event)
        return false;
    return !rule.currentHost || show::TrimHostName(Cell(grid, row, show::kColumnHost)) ==
                                    show::TrimHostName(*rule.currentHost);
}

std::vector<int> MatchingCueRows(const FlexGrid& grid, const CueRule& rule)
{
    std::vector<int> rows;
    for (int row = 1; row < grid.GetRowCount(); ++row)
        if (CueRowMatches(grid, row, rule))
            rows.push_back(row);
    return rows;
}

void SetHostOfRows(FlexGrid& grid, const std::vector<int>& rows, const std::string& name)
{
    for (const int row : rows)
        grid.SetCellText(row, show::kColumnHost, name);
}

} // namespace editor
