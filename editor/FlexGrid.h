#pragma once

#include <string>

namespace editor {

// The settings the window gives the grid once at set-up, by number.
enum GridSetting : int
{
    kSettingFixedRows = 11,     // rows at the top that hold captions: only 1
    kSettingHighlight = 41,     // 0 never, 1 always, 2 only while the grid has the focus
    kSettingGridLines = 61,     // 0 none, 1 flat, 2 inset, 3 raised
    kSettingUserResizing = 66,  // 0 none, 1 columns, 2 rows, 3 both
    kSettingSelectionMode = 71, // 0 cells, 1 one row, 2 whole rows, several at once
    kSettingEditTriggers =
        111, // bits: 1 double click, 2 click on the current cell, 4 F2, 8 any key
};

// QueryCell's setting that yields a cell's text.
inline constexpr int kQueryCellText = 19;

// The operations of the cue grid. Rows and columns count from 0; row 0 holds
// the captions and is counted by GetRowCount. Texts are UTF-8. A call outside
// the grid's rows, columns, selection or settings is a fault of its caller,
// not a failure to report: the grid raises std::out_of_range or
// std::invalid_argument, which nothing catches.
class FlexGrid
{
public:
    virtual ~FlexGrid() = default;

    virtual int GetRowCount() const = 0;
    // 1 keeps only the caption row.
    virtual void SetRowCount(int rows) = 0;
    virtual int GetColumnCount() const = 0;
    virtual void SetColumnCount(int columns) = 0;
    virtual int GetColumnWidth(int column) const = 0; // twips
    virtual void SetColumnWidth(int column, int twips) = 0;
    virtual void SetCellText(int row, int column, const std::string& text) = 0;
    // A new last row whose column 0 shows the text; it is row GetRowCount() - 1.
    virtual void AppendRow(const std::string& text) = 0;
    // Room for `rows` rows in all, caption row included, before many rows are
    // appended; only a hint.
    virtual void ReserveRows(int /*rows*/) {}
    // kQueryCellText gives the cell's text.
    virtual std::string QueryCell(int setting, int row, int column) const = 0;
    virtual int GetSelectedRowCount() const = 0;
    // The index-th selected row, in ascending row order.
    virtual int GetSelectedRowAt(int index) const = 0;
    virtual void PutSetting(GridSetting setting, int value) = 0;
    // Off while many rows are appended: the view then catches up once, when
    // redraw comes back on, instead of once per row.
    virtual void SetRedraw(bool redraw) = 0;
};

// Turns redraw off for a scope, and on again on every way out.
class RedrawPause
{
public:
    explicit RedrawPause(FlexGrid& grid) : grid_(grid) { grid_.SetRedraw(false); }
    ~RedrawPause() { grid_.SetRedraw(true); }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    FlexGrid& grid_;
};

} // namespace editor
