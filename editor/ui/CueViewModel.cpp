#include "editor/ui/CueViewModel.h"

#include "editor/ui/ShowTableModel.h"
#include "show/DecimalValue.h"

namespace editor {

namespace {

// Modules and channels by the number a host gets, texts without one last.
bool NumberTextLess(const std::string& a, const std::string& b)
{
    const std::optional<std::int32_t> x = show::DecimalValue(a);
    const std::optional<std::int32_t> y = show::DecimalValue(b);
    if (x && y && *x != *y)
        return *x < *y;
    if (x.has_value() != y.has_value())
        return x.has_value();
    return a < b;
}

} // namespace

CueViewModel::CueViewModel(ShowTableModel& table, QObject* parent)
    : QSortFilterProxyModel(parent), table_(table)
{
    setSourceModel(&table_);
    setDynamicSortFilter(true);
}

void CueViewModel::SetFilter(const std::string& text)
{
    show::CueFilter filter(text);
    if (filter.Empty())
        filter_.reset();
    else
        filter_.emplace(std::move(filter));
    invalidateRowsFilter();
}

bool CueViewModel::filterAcceptsRow(int sourceRow, const QModelIndex& /*sourceParent*/) const
{
    return !filter_ || filter_->Passes(table_.Show()[static_cast<show::CueIndex>(sourceRow)]);
}

bool CueViewModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const show::Cue& a = table_.Show()[static_cast<show::CueIndex>(left.row())];
    const show::Cue& b = table_.Show()[static_cast<show::CueIndex>(right.row())];
    switch (left.column()) {
    case show::kColumnSequence:
        return a.FlowID < b.FlowID;
    case show::kColumnHost:
        return a.HostName < b.HostName;
    case show::kColumnLaunchTime:
        return a.BlastTime < b.BlastTime;
    case show::kColumnOffset:
        return a.Sector < b.Sector;
    case show::kColumnEvent:
        return a.CDCode < b.CDCode;
    case show::kColumnSla:
        return NumberTextLess(a.Addr, b.Addr);
    case show::kColumnCue:
        return NumberTextLess(a.Channel, b.Channel);
    default:
        return false; // the view keeps store order
    }
}

} // namespace editor
