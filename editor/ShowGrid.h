#pragma once

#include "editor/FlexGrid.h"
#include "show/Show.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace editor {

// The grid operations answered from a show. Row 0 holds the captions; row
// r > 0 is the show's cue r - 1 in store order, whatever a view of it sorts
// or filters, and its texts are the cue's cell texts. Only the "Host" column
// of a cue row takes a text: it becomes that cue's host name, in one change
// of the show. The window's grid stands on it; so does anything that needs
// the grid without a window.
class ShowGrid : public FlexGrid
{
public:
    explicit ShowGrid(show::Show& show) : show_(&show) {}

    show::Show& Show() const { return *show_; }
    void Bind(show::Show& show) { show_ = &show; }

    int GetRowCount() const override;
    // 0 drops the caption row too; fewer rows drop the last cues; more rows
    // add cues with no values.
    void SetRowCount(int rows) override;
    int GetColumnCount() const override { return static_cast<int>(captions_.size()); }
    void SetColumnCount(int columns) override;
    int GetColumnWidth(int column) const override;
    void SetColumnWidth(int column, int twips) override;
    void SetCellText(int row, int column, const std::string& text) override;
    // A cue whose "Sequence" is the text, which must be a number (the first
    // row appended to an empty grid is its caption row).
    void AppendRow(const std::string& text) override;
    std::string QueryCell(int setting, int row, int column) const override;
    int GetSelectedRowCount() const override { return static_cast<int>(selected_.size()); }
    int GetSelectedRowAt(int index) const override;
    void PutSetting(GridSetting setting, int value) override;
    void SetRedraw(bool redraw) override { redraw_ = redraw; }

    // The text of a cell of a row the grid has.
    std::string CellText(int row, int column) const;
    // The value last put, or -1 when the setting was never put.
    int Setting(GridSetting setting) const;
    bool Redraw() const { return redraw_; }
    // What a user's selection would be; rows that the grid does not have are
    // refused.
    void SelectRows(std::vector<int> rows);

    // Told after the columns, their captions or their widths changed.
    std::function<void()> layoutChanged;

protected:
    void CheckRow(int row) const;
    void CheckColumn(int column) const;

private:
    void LayoutChanged() const;

    show::Show* show_;
    bool captionRow_ = false;
    std::vector<std::string> captions_;
    std::vector<int> widths_; // twips; 0 for the default
    std::map<GridSetting, int> settings_;
    std::vector<int> selected_; // ascending
    bool redraw_ = true;
};

} // namespace editor
