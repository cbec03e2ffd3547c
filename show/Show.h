#pragma once

#include "show/Cue.h"
#include "show/SavedHostNames.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace show {

// A cue's place in the show: its position in store order (0 is the first
// record as stored). It stays the same while the show is loaded, whatever a
// view sorts or filters, and it is what pairs a cue with its record: FlowID
// is unique only where a store keeps its key.
using CueIndex = std::size_t;

// What changed in a show, for the views that follow it.
struct ShowChange
{
    enum Kind
    {
        kReplaced,  // a new show (or none): everything may differ
        kAppended,  // `cues` were added at the end
        kHostNames, // `cues` got new host names; `before` holds their old ones
        kSaved,     // what counts as saved changed (after a load or a Save)
    };
    Kind kind = kReplaced;
    std::vector<CueIndex> cues;      // ascending
    std::vector<std::string> before; // kHostNames: one per cue of `cues`
    bool fromStore = false;          // kHostNames: the names a store holds, after a Save
};

// The show of a window or a command: its cues in store order with their host
// names as they stand, the names as last loaded or saved, and what differs
// between the two. Every view (the grid, the timeline, the status bar) reads
// it and hears of each change; every command changes it in one step.
class Show
{
public:
    using Listener = std::function<void(const ShowChange&)>;

    // Ends a listener's subscription when it goes; safe after the show went.
    class Subscription
    {
    public:
        Subscription() = default;
        ~Subscription() { Reset(); }
        Subscription(Subscription&& other) noexcept;
        Subscription& operator=(Subscription&& other) noexcept;
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;
        void Reset();

    private:
        friend class Show;
        struct Listeners;
        Subscription(std::weak_ptr<Listeners> listeners, std::size_t id)
            : listeners_(std::move(listeners)), id_(id)
        {
        }
        std::weak_ptr<Listeners> listeners_;
        std::size_t id_ = 0;
    };

    Show();
    explicit Show(std::vector<Cue> cues);
    ~Show();
    Show(const Show&) = delete;
    Show& operator=(const Show&) = delete;

    std::size_t Size() const { return cues_.size(); }
    bool Empty() const { return cues_.empty(); }
    const Cue& operator[](CueIndex cue) const { return cues_[cue]; }
    const std::vector<Cue>& Cues() const { return cues_; }

    // The name as last loaded or saved.
    const std::string& SavedHostName(CueIndex cue) const { return saved_[cue]; }
    bool Changed(CueIndex cue) const { return changed_[cue] != 0; }
    std::size_t ChangedCount() const { return changedCount_; }
    bool AnyChanged() const { return changedCount_ > 0; }
    std::vector<CueIndex> ChangedCues() const;
    // Distinct host names as a store would hold them (trimmed), none empty.
    std::size_t HostNameCount() const { return names_.size(); }

    // A new show; its names count as saved.
    void Replace(std::vector<Cue> cues);
    // A new show: what `other` holds, unsaved names included, moved here
    // rather than copied; `other` is left empty (and told so).
    void TakeFrom(Show& other);
    // A cue added at the end (the grid's AppendRow); its name counts as saved.
    void Append(Cue cue);

    // One change: every cue given gets `name`. Cues that hold it already are
    // left out of the change; with none left nothing happens. Raises
    // std::out_of_range for a cue the show does not have.
    void SetHostName(std::vector<CueIndex> cues, const std::string& name);
    // One change: each cue gets its own name (an undo, a redo).
    void SetHostNames(const std::vector<CueIndex>& cues, const std::vector<std::string>& names);

    // The names a store now holds, one per cue, after a Save: the cues take
    // them and they count as saved.
    void AcceptStoredNames(const std::vector<std::string>& names);

    [[nodiscard]] Subscription Subscribe(Listener listener) const;

private:
    void Tell(const ShowChange& change);
    void Rename(CueIndex cue, std::string name);
    void CountName(const std::string& name, int delta);
    void Recount();

    std::vector<Cue> cues_;
    SavedHostNames saved_;
    std::vector<char> changed_;
    std::size_t changedCount_ = 0;
    std::unordered_map<std::string, int> names_; // trimmed name -> cues holding it
    std::shared_ptr<Subscription::Listeners> listeners_;
};

} // namespace show
