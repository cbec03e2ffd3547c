#include "editor/ui/ShowTableModel.h"

#include "qtcommon/QtText.h"
#include "show/Cue.h"
#include "show/HostNameRules.h"

#include <QColor>
#include <algorithm>

namespace editor {

ShowTableModel::ShowTableModel(ShowGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid)
{
    grid_.layoutChanged = [this] { OnLayoutChanged(); };
    Follow(grid_.Show());
}

void ShowTableModel::Follow(show::Show& show)
{
    subscription_ =
        show.Subscribe([this](const show::ShowChange& change) { OnShowChanged(change); });
    Reset();
}

const show::HostColours& ShowTableModel::Colours() const
{
    if (coloursStale_) {
        colours_.Assign(grid_.Show().Cues());
        coloursStale_ = false;
    }
    return colours_;
}

int ShowTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int ShowTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant ShowTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_ || index.column() >= columns_)
        return {};
    const show::Cue& cue = grid_.Show()[static_cast<show::CueIndex>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return qtcommon::ToQString(show::CueCellText(cue, index.column()));
    case Qt::BackgroundRole:
        if (index.column() == show::kColumnHost)
            if (const std::optional<int> hue = Colours().Hue(cue.HostName))
                return QColor::fromHsv(*hue, 70, 255);
        return {};
    default:
        return {};
    }
}

QVariant ShowTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (!captionRow_ || section < 0 || section >= grid_.GetColumnCount())
        return {};
    return qtcommon::ToQString(grid_.CellText(0, section));
}

Qt::ItemFlags ShowTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool ShowTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() != show::kColumnHost ||
        index.row() >= rows_)
        return false;
    const std::string name = qtcommon::ToStdString(value.toString());
    try {
        show::CheckHostName(name);
    } catch (const show::Failure& refusal) {
        Q_EMIT EditRefused(refusal);
        return false;
    }
    grid_.Show().SetHostName({static_cast<show::CueIndex>(index.row())}, name);
    return true;
}

void ShowTableModel::OnShowChanged(const show::ShowChange& change)
{
    switch (change.kind) {
    case show::ShowChange::kReplaced:
        Reset();
        break;
    case show::ShowChange::kAppended: {
        coloursStale_ = true;
        const int rows = captionRow_ ? static_cast<int>(grid_.Show().Size()) : 0;
        if (rows > rows_) {
            beginInsertRows(QModelIndex(), rows_, rows - 1);
            rows_ = rows;
            endInsertRows();
            Q_EMIT RowCountChanged(grid_.GetRowCount());
        }
        break;
    }
    case show::ShowChange::kHostNames: {
        const show::HostColours before = Colours();
        coloursStale_ = true;
        const bool recoloured = !(Colours() == before);
        if (rows_ == 0 || change.cues.empty())
            break;
        // One notice for the lot; a name that comes or goes may move the
        // colours of other names, and then the whole column repaints.
        const int first = recoloured ? 0 : static_cast<int>(change.cues.front());
        const int last =
            recoloured ? rows_ - 1 : std::min(rows_ - 1, static_cast<int>(change.cues.back()));
        Q_EMIT dataChanged(index(first, show::kColumnHost), index(last, show::kColumnHost));
        if (recoloured)
            Q_EMIT ColoursChanged();
        break;
    }
    case show::ShowChange::kSaved:
        break;
    }
}

void ShowTableModel::OnLayoutChanged()
{
    const bool captionRow = grid_.GetRowCount() > 0;
    if (captionRow != captionRow_ || grid_.GetColumnCount() != columns_) {
        Reset();
        return;
    }
    if (columns_ > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

void ShowTableModel::Reset()
{
    beginResetModel();
    captionRow_ = grid_.GetRowCount() > 0;
    columns_ = grid_.GetColumnCount();
    rows_ = captionRow_ ? static_cast<int>(grid_.Show().Size()) : 0;
    coloursStale_ = true;
    endResetModel();
    if (columns_ > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
    Q_EMIT RowCountChanged(grid_.GetRowCount());
    Q_EMIT ColoursChanged();
}

} // namespace editor
