#pragma once

#include "editor/FlexGrid.h"
#include "editor/GridCells.h"

#include <map>
#include <vector>

namespace editor {

// A grid held in memory only: the grid of the command line and of tests.
class MemoryGrid final : public FlexGrid
{
public:
    int GetRowCount() const override { return cells_.Rows(); }
    void SetRowCount(int rows) override;
    int GetColumnCount() const override { return cells_.Columns(); }
    void SetColumnCount(int columns) override;
    int GetColumnWidth(int column) const override { return cells_.Width(column); }
    void SetColumnWidth(int column, int twips) override { cells_.SetWidth(column, twips); }
    void SetCellText(int row, int column, const std::string& text) override;
    void AppendRow(const std::string& text) override { cells_.AppendRow(text); }
    void ReserveRows(int rows) override { cells_.Reserve(rows); }
    std::string QueryCell(int setting, int row, int column) const override;
    int GetSelectedRowCount() const override { return static_cast<int>(selected_.size()); }
    int GetSelectedRowAt(int index) const override;
    void PutSetting(GridSetting setting, int value) override { settings_[setting] = value; }
    void SetRedraw(bool redraw) override { redraw_ = redraw; }

    // What a user's selection would be; rows that the grid does not have are
    // refused.
    void SelectRows(std::vector<int> rows);
    // The value last put, or -1 when the setting was never put.
    int Setting(GridSetting setting) const;
    bool Redraw() const { return redraw_; }

private:
    void DropSelectionFrom(int rows);

    GridCells cells_;
    std::vector<int> selected_; // ascending
    std::map<GridSetting, int> settings_;
    bool redraw_ = true;
};

} // namespace editor
