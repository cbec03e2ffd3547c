#pragma once

#include "show/CueFilter.h"

#include <QSortFilterProxyModel>
#include <optional>
#include <string>

namespace editor {

class ShowTableModel;

// What the grid's view shows of the show's table: the cues that pass the
// filter bar's text, in store order or sorted by a column's values (numbers
// as numbers, times as times). The show, its order and its texts stay as
// they are: the store's records pair with the show's cues, never with the
// view's rows.
class CueViewModel final : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit CueViewModel(ShowTableModel& table, QObject* parent = nullptr);

    // An empty text shows every cue.
    void SetFilter(const std::string& text);
    bool Filtering() const { return filter_.has_value(); }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    ShowTableModel& table_;
    std::optional<show::CueFilter> filter_;
};

} // namespace editor
