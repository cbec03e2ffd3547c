#include "editor/ui/HostEditHistory.h"

#include "editor/ui/FlexGridModel.h"
#include "qtcommon/QtText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "store/LayoutTable.h"

#include <QUndoCommand>

namespace editor {

namespace {

// The cells are already changed when the step is recorded: its first redo,
// which the stack runs on push, does nothing.
class HostChangeCommand final : public QUndoCommand
{
public:
    HostChangeCommand(HostEditHistory& history, std::vector<HostChange> changes,
                      const std::string& text)
        : history_(history), changes_(std::move(changes))
    {
        setText(ToQString(text));
    }

    void undo() override { history_.Apply(changes_, false); }
    void redo() override
    {
        if (!done_)
            done_ = true;
        else
            history_.Apply(changes_, true);
    }

private:
    HostEditHistory& history_;
    std::vector<HostChange> changes_;
    bool done_ = false;
};

} // namespace

HostEditHistory::HostEditHistory(FlexGridModel& model, FlexGrid& grid, QObject* parent)
    : QObject(parent), model_(model), grid_(grid)
{
    connect(&model_, &QAbstractItemModel::dataChanged, this, &HostEditHistory::OnCellsChanged);
    connect(&model_, &QAbstractItemModel::rowsInserted, this, &HostEditHistory::StartOver);
    connect(&model_, &QAbstractItemModel::rowsRemoved, this, &HostEditHistory::StartOver);
    connect(&model_, &QAbstractItemModel::modelReset, this, &HostEditHistory::StartOver);
    StartOver();
}

void HostEditHistory::StartOver()
{
    const GridCells& cells = model_.Cells();
    shown_.assign(static_cast<std::size_t>(cells.Rows()), {});
    if (cells.Columns() > show::kColumnHost)
        for (int row = 1; row < cells.Rows(); ++row)
            shown_[static_cast<std::size_t>(row)] = cells.Text(row, show::kColumnHost);
    pending_.clear();
    stack_.clear();
}

void HostEditHistory::OnCellsChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    if (topLeft.column() > show::kColumnHost || bottomRight.column() < show::kColumnHost)
        return;
    const GridCells& cells = model_.Cells();
    std::vector<HostChange> changes;
    for (int row = topLeft.row() + 1; row <= bottomRight.row() + 1 && row < cells.Rows(); ++row) {
        if (static_cast<std::size_t>(row) >= shown_.size())
            break; // not yet seen: arrives with its rows
        std::string& seen = shown_[static_cast<std::size_t>(row)];
        const std::string& now = cells.Text(row, show::kColumnHost);
        if (seen != now)
            changes.push_back({row, seen, now});
        seen = now;
    }
    if (applying_ || changes.empty())
        return;
    if (groupDepth_ > 0) {
        pending_.insert(pending_.end(), changes.begin(), changes.end());
        return;
    }
    const HostChange& first = changes.front();
    Record(std::move(changes),
           strings::FormatText(strings::kUndoEditHost, first.row, first.after.c_str()));
}

void HostEditHistory::BeginGroup(Command command)
{
    if (groupDepth_++ == 0) {
        groupCommand_ = command;
        pending_.clear();
    }
}

void HostEditHistory::EndGroup()
{
    if (--groupDepth_ > 0 || pending_.empty())
        return;
    const std::string name = pending_.back().after;
    const int cues = static_cast<int>(pending_.size());
    const std::string text =
        groupCommand_ == Command::kAssignByRange
            ? strings::FormatText(strings::kUndoAssignByRange, name.c_str(), cues)
            : strings::FormatText(strings::kUndoAssignHost, name.c_str(), cues);
    Record(std::move(pending_), text);
    pending_.clear();
}

void HostEditHistory::Record(std::vector<HostChange> changes, const std::string& text)
{
    stack_.push(new HostChangeCommand(*this, std::move(changes), text));
}

void HostEditHistory::Apply(const std::vector<HostChange>& changes, bool forward)
{
    applying_ = true;
    try {
        // Undone last first: a row changed twice in one step ends as it began.
        if (forward)
            for (const HostChange& change : changes)
                grid_.SetCellText(change.row, show::kColumnHost, change.after);
        else
            for (auto it = changes.rbegin(); it != changes.rend(); ++it)
                grid_.SetCellText(it->row, show::kColumnHost, it->before);
    } catch (const GridError&) {
        // the rows are gone: a new show came meanwhile, whose history is new
    }
    applying_ = false;
}

} // namespace editor
