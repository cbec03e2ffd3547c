#pragma once

#include "editor/FlexGrid.h"

#include <QObject>
#include <QUndoStack>
#include <string>
#include <vector>

namespace editor {

class FlexGridModel;

// One host cell's change: grid row, text before, text after.
struct HostChange
{
    int row = 0;
    std::string before;
    std::string after;
};

// Every change to the "Host" column of the cue model, as undoable steps. It
// watches the model's cell-change notification, so in-place edits, Assign
// Host and assignment by range all arrive the same way; undo and redo change
// the cells back through the grid, which notifies like any edit (the unsaved
// marker follows by itself). New rows or fewer rows (Open, import) start a
// new history.
class HostEditHistory final : public QObject
{
    Q_OBJECT

public:
    HostEditHistory(FlexGridModel& model, FlexGrid& grid, QObject* parent = nullptr);

    QUndoStack& Stack() { return stack_; }

    // Changes between Begin and End become one step, named after the
    // command, the name assigned and the cues changed.
    enum class Command
    {
        kAssignHost,
        kAssignByRange,
    };
    void BeginGroup(Command command);
    void EndGroup();

    // The grid's cells set to these texts, without recording a new step.
    void Apply(const std::vector<HostChange>& changes, bool forward);

private:
    void OnCellsChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void StartOver();
    void Record(std::vector<HostChange> changes, const std::string& text);

    FlexGridModel& model_;
    FlexGrid& grid_;
    QUndoStack stack_;
    std::vector<std::string> shown_; // host text per grid row, as last seen
    bool applying_ = false;
    int groupDepth_ = 0;
    Command groupCommand_ = Command::kAssignHost;
    std::vector<HostChange> pending_;
};

// A group for the scope of a command.
class HostEditGroup
{
public:
    HostEditGroup(HostEditHistory& history, HostEditHistory::Command command) : history_(history)
    {
        history_.BeginGroup(command);
    }
    ~HostEditGroup() { history_.EndGroup(); }
    HostEditGroup(const HostEditGroup&) = delete;
    HostEditGroup& operator=(const HostEditGroup&) = delete;

private:
    HostEditHistory& history_;
};

} // namespace editor
