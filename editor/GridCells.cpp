#include "editor/GridCells.h"

#include "editor/FlexGrid.h"

#include <algorithm>

namespace editor {

void GridCells::CheckRow(int row) const
{
    if (row < 0 || row >= rows_)
        throw GridError("The grid has no row " + std::to_string(row) + " (it has " +
                        std::to_string(rows_) + ").");
}

void GridCells::CheckColumn(int column) const
{
    if (column < 0 || column >= columns_)
        throw GridError("The grid has no column " + std::to_string(column) + " (it has " +
                        std::to_string(columns_) + ").");
}

std::size_t GridCells::Index(int row, int column) const
{
    CheckRow(row);
    CheckColumn(column);
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
           static_cast<std::size_t>(column);
}

void GridCells::SetRows(int rows)
{
    if (rows < 0)
        throw GridError("A grid cannot have " + std::to_string(rows) + " rows.");
    cells_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns_));
    rows_ = rows;
}

void GridCells::SetColumns(int columns)
{
    if (columns < 0)
        throw GridError("A grid cannot have " + std::to_string(columns) + " columns.");
    if (columns == columns_)
        return;
    std::vector<std::string> cells(static_cast<std::size_t>(rows_) *
                                   static_cast<std::size_t>(columns));
    const int kept = std::min(columns, columns_);
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < kept; ++c)
            cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) +
                  static_cast<std::size_t>(c)] = std::move(cells_[Index(r, c)]);
    cells_ = std::move(cells);
    columns_ = columns;
    widths_.resize(static_cast<std::size_t>(columns), 0);
}

void GridCells::AppendRow(const std::string& text)
{
    if (columns_ == 0)
        throw GridError("A row cannot be added to a grid without columns.");
    cells_.resize(cells_.size() + static_cast<std::size_t>(columns_));
    ++rows_;
    cells_[Index(rows_ - 1, 0)] = text;
}

void GridCells::Reserve(int rows)
{
    if (rows > 0)
        cells_.reserve(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns_));
}

const std::string& GridCells::Text(int row, int column) const
{
    return cells_[Index(row, column)];
}

void GridCells::SetText(int row, int column, const std::string& text)
{
    cells_[Index(row, column)] = text;
}

int GridCells::Width(int column) const
{
    CheckColumn(column);
    return widths_[static_cast<std::size_t>(column)];
}

void GridCells::SetWidth(int column, int twips)
{
    CheckColumn(column);
    if (twips < 0)
        throw GridError("A column cannot be " + std::to_string(twips) + " twips wide.");
    widths_[static_cast<std::size_t>(column)] = twips;
}

} // namespace editor
