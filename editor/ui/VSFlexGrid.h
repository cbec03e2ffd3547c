#pragma once

#include "editor/FlexGrid.h"
#include "editor/ShowGrid.h"
#include "show/Failure.h"
#include "show/Show.h"

#include <QTableView>
#include <string>
#include <vector>

namespace editor {
class CueViewModel;
class ShowTableModel;
} // namespace editor

// The cue grid of the main window: a table view of a show. Its grid
// operations answer from the show (row r > 0 is the show's cue r - 1 in
// store order, whatever the view sorts or filters); the user's selection is
// mapped to those rows. Row 0 is the caption row, shown as the header.
class CVSFlexGrid : public QTableView, public editor::FlexGrid
{
    Q_OBJECT

public:
    explicit CVSFlexGrid(QWidget* parent = nullptr);
    ~CVSFlexGrid() override;

    // Shows this show from now on (the grid starts with one of its own).
    void SetShow(show::Show& show);
    // Back to a show of its own: before the one it shows goes.
    void ReleaseShow() { SetShow(own_); }
    show::Show& Show() const { return core_.Show(); }

    int GetRowCount() const override { return core_.GetRowCount(); }
    void SetRowCount(int rows) override { core_.SetRowCount(rows); }
    int GetColumnCount() const override { return core_.GetColumnCount(); }
    void SetColumnCount(int columns) override { core_.SetColumnCount(columns); }
    int GetColumnWidth(int column) const override { return core_.GetColumnWidth(column); }
    void SetColumnWidth(int column, int twips) override;
    void SetCellText(int row, int column, const std::string& text) override
    {
        core_.SetCellText(row, column, text);
    }
    void AppendRow(const std::string& text) override { core_.AppendRow(text); }
    std::string QueryCell(int setting, int row, int column) const override
    {
        return core_.QueryCell(setting, row, column);
    }
    int GetSelectedRowCount() const override;
    int GetSelectedRowAt(int index) const override;
    void PutSetting(editor::GridSetting setting, int value) override;
    void SetRedraw(bool redraw) override;

    // The value last put, or -1 when the setting was never put.
    int Setting(editor::GridSetting setting) const { return core_.Setting(setting); }
    // A width in twips as pixels at the screen's logical resolution.
    int TwipsToPixels(int twips) const;

    using QTableView::edit;

    editor::ShowTableModel& CueModel() const { return *model_; }
    editor::CueViewModel& ViewModel() const { return *view_; }
    // Shows only the cues whose host, launch time, module or channel match
    // the text; an empty text shows every cue.
    void SetFilterText(const std::string& text);
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
    // The row count, caption row included, whenever it changes.
    void RowCountChanged(int rows);
    // A host name typed in place that the rules refuse; nothing changed.
    void EditRefused(const show::Failure& failure);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ApplyColumnWidths();
    void ApplyHighlight(int value);
    void FitRowHeight();
    const std::vector<int>& SelectedRows() const;

    show::Show own_;
    editor::ShowGrid core_{own_};
    editor::ShowTableModel* model_;
    editor::CueViewModel* view_;
    mutable std::vector<int> selectedRows_; // ascending grid rows
    mutable bool selectionStale_ = true;
};
