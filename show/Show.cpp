#include "show/Show.h"

#include "show/HostNameRules.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace show {

struct Show::Subscription::Listeners
{
    std::vector<std::pair<std::size_t, Listener>> entries;
    std::size_t nextId = 1;
};

Show::Subscription::Subscription(Subscription&& other) noexcept
    : listeners_(std::move(other.listeners_)), id_(std::exchange(other.id_, 0))
{
}

Show::Subscription& Show::Subscription::operator=(Subscription&& other) noexcept
{
    if (this != &other) {
        Reset();
        listeners_ = std::move(other.listeners_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

void Show::Subscription::Reset()
{
    if (const std::shared_ptr<Listeners> listeners = listeners_.lock())
        std::erase_if(listeners->entries, [this](const auto& entry) { return entry.first == id_; });
    listeners_.reset();
    id_ = 0;
}

Show::Show() : listeners_(std::make_shared<Subscription::Listeners>()) {}

Show::Show(std::vector<Cue> cues) : Show()
{
    Replace(std::move(cues));
}

Show::~Show() = default;

std::vector<CueIndex> Show::ChangedCues() const
{
    std::vector<CueIndex> changed;
    changed.reserve(changedCount_);
    for (CueIndex cue = 0; cue < cues_.size(); ++cue)
        if (changed_[cue])
            changed.push_back(cue);
    return changed;
}

void Show::Replace(std::vector<Cue> cues)
{
    cues_ = std::move(cues);
    saved_.Clear();
    saved_.Reserve(cues_.size());
    for (const Cue& cue : cues_)
        saved_.Append(cue.HostName);
    changed_.assign(cues_.size(), 0);
    changedCount_ = 0;
    Recount();
    Tell({ShowChange::kReplaced, {}, {}});
    Tell({ShowChange::kSaved, {}, {}});
}

void Show::TakeFrom(Show& other)
{
    cues_ = std::exchange(other.cues_, {});
    saved_ = std::exchange(other.saved_, {});
    changed_ = std::exchange(other.changed_, {});
    changedCount_ = std::exchange(other.changedCount_, 0);
    names_ = std::exchange(other.names_, {});
    other.Tell({ShowChange::kReplaced, {}, {}});
    Tell({ShowChange::kReplaced, {}, {}});
    if (!AnyChanged())
        Tell({ShowChange::kSaved, {}, {}});
}

void Show::Append(Cue cue)
{
    saved_.Append(cue.HostName);
    changed_.push_back(0);
    CountName(cue.HostName, 1);
    cues_.push_back(std::move(cue));
    Tell({ShowChange::kAppended, {cues_.size() - 1}, {}});
}

void Show::SetHostName(std::vector<CueIndex> cues, const std::string& name)
{
    const std::vector<std::string> names(cues.size(), name);
    SetHostNames(cues, names);
}

void Show::SetHostNames(const std::vector<CueIndex>& cues, const std::vector<std::string>& names)
{
    if (cues.size() != names.size())
        throw std::invalid_argument("one name per cue");
    for (const CueIndex cue : cues)
        if (cue >= cues_.size())
            throw std::out_of_range("no cue " + std::to_string(cue) + " in the show");
    ShowChange change{ShowChange::kHostNames, {}, {}};
    std::vector<std::size_t> order(cues.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return cues[a] < cues[b]; });
    for (const std::size_t i : order) {
        const CueIndex cue = cues[i];
        if (cues_[cue].HostName == names[i] || (!change.cues.empty() && change.cues.back() == cue))
            continue;
        change.cues.push_back(cue);
        change.before.push_back(cues_[cue].HostName);
        Rename(cue, names[i]);
    }
    if (!change.cues.empty())
        Tell(change);
}

void Show::AcceptStoredNames(const std::vector<std::string>& names)
{
    if (names.size() != cues_.size())
        throw std::invalid_argument("one stored name per cue");
    ShowChange change{ShowChange::kHostNames, {}, {}, true};
    for (CueIndex cue = 0; cue < cues_.size(); ++cue) {
        saved_.Set(cue, names[cue]);
        if (cues_[cue].HostName != names[cue]) {
            change.cues.push_back(cue);
            change.before.push_back(cues_[cue].HostName);
        }
        Rename(cue, names[cue]);
    }
    if (!change.cues.empty())
        Tell(change);
    Tell({ShowChange::kSaved, {}, {}});
}

Show::Subscription Show::Subscribe(Listener listener) const
{
    const std::size_t id = listeners_->nextId++;
    listeners_->entries.emplace_back(id, std::move(listener));
    return Subscription(listeners_, id);
}

void Show::Tell(const ShowChange& change)
{
    // A listener may subscribe or leave while it is told: walk a copy.
    const auto entries = listeners_->entries;
    for (const auto& [id, listener] : entries)
        listener(change);
}

void Show::Rename(CueIndex cue, std::string name)
{
    std::string& current = cues_[cue].HostName;
    if (current != name) {
        CountName(current, -1);
        CountName(name, 1);
        current = std::move(name);
    }
    const bool differs = current != saved_[cue];
    if (differs != (changed_[cue] != 0)) {
        changed_[cue] = differs ? 1 : 0;
        differs ? ++changedCount_ : --changedCount_;
    }
}

void Show::CountName(const std::string& name, int delta)
{
    const std::string trimmed = TrimHostName(name);
    if (trimmed.empty())
        return;
    const auto it = names_.try_emplace(trimmed, 0).first;
    it->second += delta;
    if (it->second <= 0)
        names_.erase(it);
}

void Show::Recount()
{
    names_.clear();
    for (const Cue& cue : cues_)
        CountName(cue.HostName, 1);
}

} // namespace show
