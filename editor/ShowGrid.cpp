#include "editor/ShowGrid.h"

#include "show/CueRule.h"
#include "store/LayoutTable.h"

#include <algorithm>
#include <stdexcept>

namespace editor {

int ShowGrid::GetRowCount() const
{
    return captionRow_ ? static_cast<int>(show_->Size()) + 1 : 0;
}

void ShowGrid::SetRowCount(int rows)
{
    if (rows < 0)
        throw std::out_of_range("The grid cannot have " + std::to_string(rows) + " rows.");
    const std::size_t cues = rows > 1 ? static_cast<std::size_t>(rows - 1) : 0;
    if (cues < show_->Size() || (cues == 0 && !show_->Empty())) {
        std::vector<show::Cue> kept(show_->Cues().begin(),
                                    show_->Cues().begin() + static_cast<std::ptrdiff_t>(cues));
        show_->Replace(std::move(kept));
    }
    while (show_->Size() < cues)
        show_->Append(show::Cue{});
    if (captionRow_ != (rows >= 1)) {
        captionRow_ = rows >= 1;
        LayoutChanged();
    }
    selected_.erase(std::lower_bound(selected_.begin(), selected_.end(), rows), selected_.end());
}

void ShowGrid::SetColumnCount(int columns)
{
    if (columns < 0)
        throw std::out_of_range("The grid cannot have " + std::to_string(columns) + " columns.");
    captions_.resize(static_cast<std::size_t>(columns));
    widths_.resize(static_cast<std::size_t>(columns));
    LayoutChanged();
}

int ShowGrid::GetColumnWidth(int column) const
{
    CheckColumn(column);
    return widths_[static_cast<std::size_t>(column)];
}

void ShowGrid::SetColumnWidth(int column, int twips)
{
    CheckColumn(column);
    widths_[static_cast<std::size_t>(column)] = twips;
    LayoutChanged();
}

void ShowGrid::SetCellText(int row, int column, const std::string& text)
{
    CheckRow(row);
    CheckColumn(column);
    if (row == 0) {
        captions_[static_cast<std::size_t>(column)] = text;
        LayoutChanged();
        return;
    }
    if (column != show::kColumnHost)
        throw std::invalid_argument(
            "Column " + std::to_string(column) +
            " shows the show's own values; only the Host column takes a text.");
    show_->SetHostName({static_cast<show::CueIndex>(row - 1)}, text);
}

void ShowGrid::AppendRow(const std::string& text)
{
    if (captions_.empty())
        throw std::out_of_range("The grid has no column to append a row to.");
    if (!captionRow_) {
        captionRow_ = true;
        captions_[0] = text;
        LayoutChanged();
        return;
    }
    const std::optional<std::int32_t> sequence = show::ParseWholeNumber(text);
    if (!sequence)
        throw std::invalid_argument("A cue row's Sequence is a number, not '" + text + "'.");
    show::Cue cue;
    cue.FlowID = *sequence;
    show_->Append(std::move(cue));
}

std::string ShowGrid::QueryCell(int setting, int row, int column) const
{
    if (setting != kQueryCellText)
        throw std::invalid_argument("The grid cannot answer query " + std::to_string(setting) +
                                    ".");
    CheckRow(row);
    CheckColumn(column);
    return CellText(row, column);
}

std::string ShowGrid::CellText(int row, int column) const
{
    if (row == 0)
        return captions_[static_cast<std::size_t>(column)];
    return show::CueCellText((*show_)[static_cast<show::CueIndex>(row - 1)], column);
}

int ShowGrid::GetSelectedRowAt(int index) const
{
    if (index < 0 || index >= GetSelectedRowCount())
        throw std::out_of_range("There is no selected row " + std::to_string(index) + ".");
    return selected_[static_cast<std::size_t>(index)];
}

void ShowGrid::PutSetting(GridSetting setting, int value)
{
    settings_[setting] = value;
}

int ShowGrid::Setting(GridSetting setting) const
{
    const auto it = settings_.find(setting);
    return it == settings_.end() ? -1 : it->second;
}

void ShowGrid::SelectRows(std::vector<int> rows)
{
    for (const int row : rows)
        CheckRow(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    selected_ = std::move(rows);
}

void ShowGrid::CheckRow(int row) const
{
    if (row < 0 || row >= GetRowCount())
        throw std::out_of_range("The grid has no row " + std::to_string(row) + ".");
}

void ShowGrid::CheckColumn(int column) const
{
    if (column < 0 || column >= GetColumnCount())
        throw std::out_of_range("The grid has no column " + std::to_string(column) + ".");
}

void ShowGrid::LayoutChanged() const
{
    if (layoutChanged)
        layoutChanged();
}

} // namespace editor
