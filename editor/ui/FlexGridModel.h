#pragma once

#include "editor/GridCells.h"

#include <QAbstractTableModel>

namespace editor {

// The texts behind CVSFlexGrid. Grid row 0 is the caption row and shows as
// the header; grid row r > 0 is the model's row r - 1. While redraw is off,
// appended rows wait unseen by the view and join it in one insertion when
// redraw comes back on.
class FlexGridModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit FlexGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    const GridCells& Cells() const { return cells_; }
    void SetRowCount(int rows);
    void SetColumnCount(int columns);
    void SetCellText(int row, int column, const std::string& text);
    void AppendRow(const std::string& text);
    void ReserveRows(int rows) { cells_.Reserve(rows); }
    void SetColumnWidth(int column, int twips) { cells_.SetWidth(column, twips); }
    void SetRedraw(bool redraw);
    bool Redraw() const { return redraw_; }

Q_SIGNALS:
    // The grid's row count as the view shows it, caption row included.
    void RowCountChanged(int rows);
    // Every change of a cell's text, by SetCellText or an in-place edit,
    // whether the view shows it yet or not; grid row and column.
    void CellChanged(int row, int column);
    // Every change of the number of rows the cells hold, caption row
    // included, whether the view shows them yet or not.
    void CellRowsChanged(int rows);

private:
    static int ModelRows(int gridRows) { return gridRows > 1 ? gridRows - 1 : 0; }
    void ShowPendingRows();

    GridCells cells_;
    int shownRows_ = 0; // grid rows the view knows of
    bool redraw_ = true;
    bool shownTextsChanged_ = false; // while redraw is off
};

} // namespace editor
