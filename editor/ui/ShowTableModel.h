#pragma once

#include "editor/ShowGrid.h"
#include "show/Failure.h"
#include "show/HostColours.h"
#include "show/Show.h"

#include <QAbstractTableModel>

namespace editor {

// The cue grid's table over the show: one row per cue in store order, the
// grid's columns and captions, host names coloured. Only the "Host" column
// can be edited, and a name the host-name rules refuse is not taken
// (EditRefused says why). It follows every change of the show, whoever makes
// it.
class ShowTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    ShowTableModel(ShowGrid& grid, QObject* parent = nullptr);

    // Follows another show (the grid was bound to it).
    void Follow(show::Show& show);
    const ShowGrid& Grid() const { return grid_; }
    const show::Show& Show() const { return grid_.Show(); }
    // The colours of the show's host names, as the grid shows them.
    const show::HostColours& Colours() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // The grid's row count, caption row included, whenever it changes.
    void RowCountChanged(int rows);
    // A host name typed in place that the rules refuse; nothing changed.
    void EditRefused(const show::Failure& failure);
    // The host colours may have changed.
    void ColoursChanged();

private:
    void OnShowChanged(const show::ShowChange& change);
    void OnLayoutChanged();
    void Reset();

    ShowGrid& grid_;
    show::Show::Subscription subscription_;
    int rows_ = 0;    // rows the view knows of
    int columns_ = 0; // columns the view knows of
    bool captionRow_ = false;
    mutable show::HostColours colours_;
    mutable bool coloursStale_ = true;
};

} // namespace editor
