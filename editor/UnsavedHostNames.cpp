#include "editor/UnsavedHostNames.h"

#include "show/Cue.h"
#include "show/HostNameText.h"
#include "store/LayoutTable.h"

namespace editor {

void UnsavedHostNames::TakeSnapshot()
{
    RowCountChanged(grid_.GetRowCount());
    saved_ = current_;
    differs_.assign(current_.size(), 0);
    differing_ = 0;
}

void UnsavedHostNames::CellChanged(int row, int column)
{
    if (column != show::kColumnHost || row < 1)
        return;
    const auto cue = static_cast<std::size_t>(row - 1);
    if (cue >= current_.size())
        return; // a row the grid has not reported yet; it is read when it is
    std::string text = grid_.QueryCell(kQueryCellText, row, column);
    if (text == current_[cue])
        return;
    Untrack(cue);
    Track(cue, std::move(text));
}

void UnsavedHostNames::RowCountChanged(int rows)
{
    const std::size_t cues = rows > 1 ? static_cast<std::size_t>(rows - 1) : 0;
    while (current_.size() > cues) {
        Untrack(current_.size() - 1);
        current_.pop_back();
        differs_.pop_back();
    }
    while (current_.size() < cues) {
        current_.emplace_back();
        differs_.push_back(0);
        const int row = static_cast<int>(current_.size());
        Track(current_.size() - 1, grid_.QueryCell(kQueryCellText, row, show::kColumnHost));
    }
}

bool UnsavedHostNames::Any() const
{
    return differing_ > 0 || current_.size() != saved_.size();
}

void UnsavedHostNames::Track(std::size_t cue, std::string text)
{
    CountName(text, +1);
    const bool differs = cue >= saved_.size() || saved_[cue] != text;
    differing_ += differs ? 1 : 0;
    differs_[cue] = differs ? 1 : 0;
    current_[cue] = std::move(text);
}

void UnsavedHostNames::Untrack(std::size_t cue)
{
    CountName(current_[cue], -1);
    differing_ -= differs_[cue] ? 1 : 0;
    differs_[cue] = 0;
}

void UnsavedHostNames::CountName(const std::string& text, int delta)
{
    const std::string name = show::TrimHostName(text);
    if (name.empty())
        return;
    if (delta > 0) {
        ++names_[name];
    } else if (auto found = names_.find(name); found != names_.end() && --found->second == 0) {
        names_.erase(found);
    }
}

} // namespace editor
