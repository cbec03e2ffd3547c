#include "editor/MemoryGrid.h"

#include <algorithm>

namespace editor {

void MemoryGrid::SetRowCount(int rows)
{
    cells_.SetRows(rows);
    DropSelectionFrom(rows);
}

void MemoryGrid::SetColumnCount(int columns)
{
    cells_.SetColumns(columns);
}

void MemoryGrid::SetCellText(int row, int column, const std::string& text)
{
    cells_.SetText(row, column, text);
}

std::string MemoryGrid::QueryCell(int setting, int row, int column) const
{
    if (setting != kQueryCellText)
        throw GridError("The grid cannot answer query " + std::to_string(setting) + ".");
    return cells_.Text(row, column);
}

int MemoryGrid::GetSelectedRowAt(int index) const
{
    if (index < 0 || index >= GetSelectedRowCount())
        throw GridError("There is no selected row " + std::to_string(index) + ".");
    return selected_[static_cast<std::size_t>(index)];
}

void MemoryGrid::SelectRows(std::vector<int> rows)
{
    for (const int row : rows)
        cells_.CheckRow(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    selected_ = std::move(rows);
}

int MemoryGrid::Setting(GridSetting setting) const
{
    const auto it = settings_.find(setting);
    return it == settings_.end() ? -1 : it->second;
}

void MemoryGrid::DropSelectionFrom(int rows)
{
    selected_.erase(std::lower_bound(selected_.begin(), selected_.end(), rows), selected_.end());
}

} // namespace editor
