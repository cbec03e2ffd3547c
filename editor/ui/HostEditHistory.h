#pragma once

#include "show/Show.h"

#include <QObject>
#include <QUndoStack>
#include <map>
#include <string>
#include <vector>

namespace editor {

// Every change of the show's host names, as undoable steps. It hears the
// show's own notices, so in-place edits, Assign Host and assignment by range
// all arrive the same way; undo and redo change the names back in one change
// of the show each (the unsaved marker and every view follow by themselves).
// A new show starts a new history.
class HostEditHistory final : public QObject
{
    Q_OBJECT

public:
    explicit HostEditHistory(show::Show& show, QObject* parent = nullptr);

    // Follows another show, with a new history.
    void Follow(show::Show& show);
    QUndoStack& Stack() { return stack_; }

    // Changes between Begin and End become one step, named after the
    // command, the name assigned and the cues changed; a change outside a
    // group is an in-place edit.
    enum class Command
    {
        kAssignHost,
        kAssignByRange,
    };
    void BeginGroup(Command command);
    void EndGroup();

    // The cues given these names, without recording a new step.
    void Apply(const std::vector<show::CueIndex>& cues, const std::vector<std::string>& names);

private:
    struct Names
    {
        std::string before;
        std::string after;
    };
    void OnShowChanged(const show::ShowChange& change);
    void Record(const std::map<show::CueIndex, Names>& changes, const std::string& text);

    show::Show* show_;
    show::Show::Subscription subscription_;
    QUndoStack stack_;
    bool applying_ = false;
    int groupDepth_ = 0;
    Command groupCommand_ = Command::kAssignHost;
    std::map<show::CueIndex, Names> pending_;
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
