#include "editor/ui/FlexGridModel.h"

#include "qtcommon/QtText.h"
#include "show/Cue.h"
#include "show/HostColour.h"
#include "store/LayoutTable.h"

#include <QColor>

namespace editor {

FlexGridModel::FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int FlexGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ModelRows(shownRows_);
}

int FlexGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cells_.Columns();
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const
{
    if (index.isValid() && role == Qt::BackgroundRole && index.column() == show::kColumnHost) {
        const std::optional<int> hue = show::HostHue(cells_.Text(index.row() + 1, index.column()));
        return hue ? QVariant(QColor::fromHsv(*hue, 70, 255)) : QVariant();
    }
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return ToQString(cells_.Text(index.row() + 1, index.column()));
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (shownRows_ < 1 || section < 0 || section >= cells_.Columns())
        return {};
    return ToQString(cells_.Text(0, section));
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool FlexGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    cells_.SetText(index.row() + 1, index.column(), ToStdString(value.toString()));
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    Q_EMIT CellChanged(index.row() + 1, index.column());
    return true;
}

void FlexGridModel::SetRowCount(int rows)
{
    if (rows < 0)
        cells_.SetRows(rows); // refused with the grid's own error
    const bool captionRowChanges = (rows >= 1) != (shownRows_ >= 1);
    if (rows < shownRows_) {
        const int before = ModelRows(shownRows_);
        const int after = ModelRows(rows);
        if (after < before)
            beginRemoveRows(QModelIndex(), after, before - 1);
        cells_.SetRows(rows);
        shownRows_ = rows;
        if (after < before)
            endRemoveRows();
    } else {
        cells_.SetRows(rows);
        if (redraw_)
            ShowPendingRows();
    }
    if (captionRowChanges && cells_.Columns() > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, cells_.Columns() - 1);
    Q_EMIT CellRowsChanged(cells_.Rows());
    if (redraw_)
        Q_EMIT RowCountChanged(shownRows_);
}

void FlexGridModel::SetColumnCount(int columns)
{
    if (columns < 0)
        cells_.SetColumns(columns); // refused with the grid's own error
    beginResetModel();
    cells_.SetColumns(columns);
    endResetModel();
}

void FlexGridModel::SetCellText(int row, int column, const std::string& text)
{
    cells_.SetText(row, column, text);
    Q_EMIT CellChanged(row, column);
    if (row >= shownRows_)
        return; // the view reads it when the row joins
    if (!redraw_) {
        shownTextsChanged_ = true;
    } else if (row == 0) {
        Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
    } else {
        const QModelIndex cell = index(row - 1, column);
        Q_EMIT dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
    }
}

void FlexGridModel::AppendRow(const std::string& text)
{
    if (!redraw_ || cells_.Columns() == 0) {
        cells_.AppendRow(text); // refused without columns, before the view hears of a row
        Q_EMIT CellRowsChanged(cells_.Rows());
        return;
    }
    if (cells_.Rows() == 0) {
        cells_.AppendRow(text);
        shownRows_ = 1;
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, cells_.Columns() - 1);
    } else {
        const int row = ModelRows(cells_.Rows() + 1) - 1;
        beginInsertRows(QModelIndex(), row, row);
        cells_.AppendRow(text);
        shownRows_ = cells_.Rows();
        endInsertRows();
    }
    Q_EMIT CellRowsChanged(cells_.Rows());
    Q_EMIT RowCountChanged(shownRows_);
}

void FlexGridModel::SetRedraw(bool redraw)
{
    if (redraw == redraw_)
        return;
    redraw_ = redraw;
    if (!redraw_)
        return;
    const int before = shownRows_;
    ShowPendingRows();
    if (shownTextsChanged_) {
        shownTextsChanged_ = false;
        if (cells_.Columns() > 0) {
            Q_EMIT headerDataChanged(Qt::Horizontal, 0, cells_.Columns() - 1);
            if (rowCount() > 0)
                Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, cells_.Columns() - 1));
        }
    }
    if (before < 1 && shownRows_ >= 1 && cells_.Columns() > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, cells_.Columns() - 1);
    Q_EMIT RowCountChanged(shownRows_);
}

void FlexGridModel::ShowPendingRows()
{
    const int before = ModelRows(shownRows_);
    const int after = ModelRows(cells_.Rows());
    if (after > before) {
        beginInsertRows(QModelIndex(), before, after - 1);
        shownRows_ = cells_.Rows();
        endInsertRows();
    } else {
        shownRows_ = cells_.Rows();
    }
}

} // namespace editor
