#include "editor/CueFilter.h"

#include "editor/CueRule.h"
#include "show/Cue.h"
#include "show/DecimalValue.h"
#include "show/HostNameText.h"
#include "store/LayoutTable.h"

#include <algorithm>
#include <cctype>

namespace editor {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool SameNumber(const std::string& cell, std::int32_t number)
{
    return show::DecimalValue(cell) == number;
}

} // namespace

bool CueRowPassesFilter(const FlexGrid& grid, int row, const std::string& filter)
{
    const std::string wanted = Lower(show::TrimHostName(filter));
    if (wanted.empty())
        return true;
    auto cell = [&](int column) { return grid.QueryCell(kQueryCellText, row, column); };
    if (Lower(cell(show::kColumnHost)).find(wanted) != std::string::npos ||
        cell(show::kColumnLaunchTime).find(wanted) != std::string::npos)
        return true;
    const std::optional<std::int32_t> number = ParseWholeNumber(wanted);
    return number && (SameNumber(cell(show::kColumnSla), *number) ||
                      SameNumber(cell(show::kColumnCue), *number));
}

} // namespace editor
