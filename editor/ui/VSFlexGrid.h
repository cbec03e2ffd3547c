#pragma once

#include "editor/FlexGrid.h"

#include <QTableView>
#include <functional>
#include <map>
#include <vector>

namespace editor {
class CueFilterModel;
class FlexGridModel;
} // namespace editor

// The cue grid of the main window: a table view over a model of its own that
// offers the grid operations. Row 0 is the caption row, shown as the header.
class CVSFlexGrid : public QTableView, public editor::FlexGrid
{
    Q_OBJECT

public:
    explicit CVSFlexGrid(QWidget* parent = nullptr);
    ~CVSFlexGrid() override;

    int GetRowCount() const override;
    void SetRowCount(int rows) override;
    int GetColumnCount() const override;
    void SetColumnCount(int columns) override;
    int GetColumnWidth(int column) const override;
    void SetColumnWidth(int column, int twips) override;
    void SetCellText(int row, int column, const std::string& text) override;
    void AppendRow(const std::string& text) override;
    void ReserveRows(int rows) override;
    std::string QueryCell(int setting, int row, int column) const override;
    int GetSelectedRowCount() const override;
    int GetSelectedRowAt(int index) const override;
    void PutSetting(editor::GridSetting setting, int value) override;
    void SetRedraw(bool redraw) override;

    // The value last put, or -1 when the setting was never put.
    int Setting(editor::GridSetting setting) const;
    // A width in twips as pixels at the screen's logical resolution.
    int TwipsToPixels(int twips) const;

    using QTableView::edit;

    // The cue texts in grid order, whatever the view filters: the rows that
    // Save pairs with the store's records.
    editor::FlexGridModel& CueModel() const { return *model_; }
    // Shows only the cue rows (from 1) the filter passes; nothing shows all.
    void SetRowFilter(std::function<bool(int gridRow)> filter);
    int ShownCueRows() const;
    // Selects these cue rows (from 1) among those shown, and scrolls to the
    // first of them.
    void SelectCueRows(const std::vector<int>& rows);
    // The grid row of a view index, and back (an invalid index for a row the
    // filter hides).
    int GridRowOf(const QModelIndex& index) const;
    QModelIndex ViewIndexOf(int gridRow, int column) const;

Q_SIGNALS:
    // Before a cell is edited in place; setting *cancel refuses the edit.
    void BeforeEdit(int row, int column, bool* cancel);
    // A mouse button pressed on the grid: button 1 left, 2 right, 4 middle;
    // shift bits 1 Shift, 2 Ctrl, 4 Alt; x and y in pixels.
    void MouseDown(short button, short shift, float x, float y);
    // The row count, caption row included, whenever the view's rows change.
    void RowCountChanged(int rows);
    // Every change of a cell's text (SetCellText or an in-place edit), even
    // while redraw is off: the one path by which anything watching the cells
    // (the window's unsaved marker) hears of a change.
    void CellChanged(int row, int column);
    // Every change of the number of rows the grid holds, caption row
    // included, even while redraw is off.
    void CellRowsChanged(int rows);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ApplyColumnWidths();
    void ApplyHighlight(int value);
    void FitRowHeight();
    const std::vector<int>& SelectedRows() const;

    editor::FlexGridModel* model_;
    editor::CueFilterModel* view_;
    std::map<editor::GridSetting, int> settings_;
    mutable std::vector<int> selectedRows_; // ascending grid rows
    mutable bool selectionStale_ = true;
};
