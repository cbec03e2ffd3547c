#include "editor/ui/HostEditHistory.h"

#include "qtcommon/QtText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"

#include <QUndoCommand>
#include <algorithm>

namespace editor {

namespace {

// The names are already changed when the step is recorded: its first redo,
// which the stack runs on push, does nothing.
class HostChangeCommand final : public QUndoCommand
{
public:
    HostChangeCommand(HostEditHistory& history, std::vector<show::CueIndex> cues,
                      std::vector<std::string> before, std::vector<std::string> after,
                      const std::string& text)
        : history_(history), cues_(std::move(cues)), before_(std::move(before)),
          after_(std::move(after))
    {
        setText(qtcommon::ToQString(text));
    }

    void undo() override { history_.Apply(cues_, before_); }
    void redo() override
    {
        if (!done_)
            done_ = true;
        else
            history_.Apply(cues_, after_);
    }

private:
    HostEditHistory& history_;
    std::vector<show::CueIndex> cues_;
    std::vector<std::string> before_;
    std::vector<std::string> after_;
    bool done_ = false;
};

} // namespace

HostEditHistory::HostEditHistory(show::Show& show, QObject* parent) : QObject(parent), show_(&show)
{
    Follow(show);
}

void HostEditHistory::Follow(show::Show& show)
{
    show_ = &show;
    subscription_ =
        show.Subscribe([this](const show::ShowChange& change) { OnShowChanged(change); });
    pending_.clear();
    stack_.clear();
}

void HostEditHistory::OnShowChanged(const show::ShowChange& change)
{
    if (change.kind == show::ShowChange::kReplaced) {
        pending_.clear();
        stack_.clear();
        return;
    }
    // What a Save found in the store is no edit of the designer's.
    if (change.kind != show::ShowChange::kHostNames || change.fromStore || applying_)
        return;
    std::map<show::CueIndex, Names> changes;
    for (std::size_t i = 0; i < change.cues.size(); ++i)
        changes[change.cues[i]] = {change.before[i], (*show_)[change.cues[i]].HostName};
    if (groupDepth_ > 0) {
        for (auto& [cue, names] : changes) {
            const auto [at, added] = pending_.try_emplace(cue, names);
            if (!added)
                at->second.after = names.after; // the first before, the last after
        }
        return;
    }
    const auto& [cue, names] = *changes.begin();
    Record(changes, strings::FormatText(strings::kUndoEditHost, static_cast<int>(cue) + 1,
                                        names.after.c_str()));
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
    const std::string name = pending_.rbegin()->second.after;
    const int cues = static_cast<int>(pending_.size());
    const std::string text =
        groupCommand_ == Command::kAssignByRange
            ? strings::FormatText(strings::kUndoAssignByRange, name.c_str(), cues)
            : strings::FormatText(strings::kUndoAssignHost, name.c_str(), cues);
    Record(pending_, text);
    pending_.clear();
}

void HostEditHistory::Record(const std::map<show::CueIndex, Names>& changes,
                             const std::string& text)
{
    std::vector<show::CueIndex> cues;
    std::vector<std::string> before;
    std::vector<std::string> after;
    for (const auto& [cue, names] : changes) {
        if (names.before == names.after)
            continue;
        cues.push_back(cue);
        before.push_back(names.before);
        after.push_back(names.after);
    }
    if (!cues.empty())
        stack_.push(new HostChangeCommand(*this, std::move(cues), std::move(before),
                                          std::move(after), text));
}

void HostEditHistory::Apply(const std::vector<show::CueIndex>& cues,
                            const std::vector<std::string>& names)
{
    // The cues are gone when a new show came meanwhile, whose history is new.
    const bool gone = std::any_of(cues.begin(), cues.end(),
                                  [this](show::CueIndex cue) { return cue >= show_->Size(); });
    if (gone)
        return;
    applying_ = true;
    show_->SetHostNames(cues, names);
    applying_ = false;
}

} // namespace editor
