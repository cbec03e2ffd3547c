#include "CueFilter.h"

#include "CueRule.h"
#include "DecimalValue.h"
#include "HostNameText.h"
#include "LayoutTable.h"

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
    return hostlink::DecimalValue(cell) == number;
}

} // namespace

bool CueRowPassesFilter(const FlexGrid& grid, int row, const std::string& filter)
{
    const std::string wanted = Lower(TrimHostName(filter));
    if (wanted.empty())
        return true;
    auto cell = [&](int column) { return grid.QueryCell(kQueryCellText, row, column); };
    if (Lower(cell(store::kColumnHost)).find(wanted) != std::string::npos ||
        cell(store::kColumnLaunchTime).find(wanted) != std::string::npos)
        return true;
    const std::optional<std::int32_t> number = ParseWholeNumber(wanted);
    return number && (SameNumber(cell(store::kColumnSla), *number) ||
                      SameNumber(cell(store::kColumnCue), *number));
}

} // namespace editor
