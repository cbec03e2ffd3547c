#pragma once

#include <QSortFilterProxyModel>
#include <functional>

namespace editor {

// What the grid's view shows of the cue model: the rows that pass a filter.
// The model itself, its order and its texts stay as they are: the store's
// records pair with the model's rows, never with the view's.
class CueFilterModel final : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    using RowFilter = std::function<bool(int gridRow)>;

    explicit CueFilterModel(QObject* parent = nullptr);

    // Nothing shows every row.
    void SetRowFilter(RowFilter filter);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    RowFilter filter_;
};

} // namespace editor
