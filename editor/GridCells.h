#pragma once

#include <string>
#include <vector>

namespace editor {

// The texts and column widths of a grid, row 0 included, kept in one block:
// a grid of 100 000 cue rows is a single allocation, not one per row. Every
// call checks its row and column and raises GridError on one out of range.
class GridCells
{
public:
    int Rows() const { return rows_; }
    int Columns() const { return columns_; }

    void SetRows(int rows);
    void SetColumns(int columns);
    // Appends a row whose column 0 holds the text.
    void AppendRow(const std::string& text);
    void Reserve(int rows);

    const std::string& Text(int row, int column) const;
    void SetText(int row, int column, const std::string& text);

    int Width(int column) const;
    void SetWidth(int column, int twips);

    void CheckRow(int row) const;
    void CheckColumn(int column) const;

private:
    std::size_t Index(int row, int column) const;

    int rows_ = 0;
    int columns_ = 0;
    std::vector<std::string> cells_; // row by row
    std::vector<int> widths_;        // twips; 0 for the default
};

} // namespace editor
