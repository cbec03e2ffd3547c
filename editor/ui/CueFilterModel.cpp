#include "editor/ui/CueFilterModel.h"

namespace editor {

CueFilterModel::CueFilterModel(QObject* parent) : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
}

void CueFilterModel::SetRowFilter(RowFilter filter)
{
    filter_ = std::move(filter);
    invalidateRowsFilter();
}

bool CueFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& /*sourceParent*/) const
{
    return !filter_ || filter_(sourceRow + 1);
}

} // namespace editor
