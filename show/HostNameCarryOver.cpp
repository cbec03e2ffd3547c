#include "show/HostNameCarryOver.h"

#include "store/LayoutTable.h"

#include <map>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace show {

namespace {

// Old cues not yet taken, by a key, in their order.
class Unused
{
public:
    explicit Unused(std::size_t keys) { waiting_.reserve(keys); }

    void Add(std::string key, std::size_t cue)
    {
        Slot& slot = waiting_[std::move(key)];
        slot.cues.push_back(cue);
    }

    // The first old cue of this key not taken yet, now taken.
    std::optional<std::size_t> Take(const std::string& key, const std::vector<char>& taken)
    {
        const auto it = waiting_.find(key);
        if (it == waiting_.end())
            return std::nullopt;
        Slot& slot = it->second;
        while (slot.next < slot.cues.size() && taken[slot.cues[slot.next]])
            ++slot.next;
        if (slot.next == slot.cues.size())
            return std::nullopt;
        return slot.cues[slot.next++];
    }

    // Every old cue of this key, taken or not, in order.
    const std::vector<std::size_t>& Cues(const std::string& key) const
    {
        return waiting_.at(key).cues;
    }

private:
    struct Slot
    {
        std::vector<std::size_t> cues;
        std::size_t next = 0; // those before it are taken
    };
    std::unordered_map<std::string, Slot> waiting_;
};

// A cue's module and channel (and launch time) as one key.
std::string Point(const Cue& cue)
{
    return cue.Addr + '\x1f' + cue.Channel;
}

std::string TimedPoint(const Cue& cue)
{
    return Point(cue) + '\x1f' + std::to_string(cue.BlastTime);
}

// The one name every old cue of a module had; nothing when they differ.
std::map<std::string, std::optional<std::string>> ModuleNames(const std::vector<Cue>& old)
{
    std::map<std::string, std::optional<std::string>> names;
    for (const Cue& cue : old) {
        const auto [at, added] = names.try_emplace(cue.Addr, cue.HostName);
        if (!added && at->second != cue.HostName)
            at->second.reset();
    }
    return names;
}

// The new cues `matched` (by key) in one pass guessed their names: their old
// cues, those still untaken when the pass began, have different names and
// some of them are still untaken.
void MarkGuessed(const std::unordered_map<std::string, std::vector<std::size_t>>& matched,
                 const Unused& unused, const std::vector<char>& takenBefore,
                 const std::vector<char>& taken, const std::vector<Cue>& old,
                 std::vector<char>& guessed)
{
    for (const auto& [key, fresh] : matched) {
        const std::string* name = nullptr;
        bool differ = false;
        bool leftOver = false;
        for (const std::size_t cue : unused.Cues(key)) {
            if (takenBefore[cue])
                continue;
            differ = differ || (name && *name != old[cue].HostName);
            name = &old[cue].HostName;
            leftOver = leftOver || !taken[cue];
        }
        if (differ && leftOver)
            for (const std::size_t cue : fresh)
                guessed[cue] = 1;
    }
}

// The names of `old` ("HOST" aside) that none of `fresh` has.
std::vector<std::string> NamesLeft(const std::vector<Cue>& old, const std::vector<Cue>& fresh)
{
    std::unordered_set<std::string> now;
    for (const Cue& cue : fresh)
        now.insert(cue.HostName);
    std::vector<std::string> left;
    std::unordered_set<std::string> said;
    for (const Cue& cue : old)
        if (cue.HostName != store::kDefaultHostName && !now.contains(cue.HostName) &&
            said.insert(cue.HostName).second)
            left.push_back(cue.HostName);
    return left;
}

} // namespace

bool SameCuesApartFromHostNames(const std::vector<Cue>& a, const std::vector<Cue>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const Cue& x = a[i];
        const Cue& y = b[i];
        if (x.FlowID != y.FlowID || x.BlastTime != y.BlastTime || x.Addr != y.Addr ||
            x.Channel != y.Channel || x.CDCode != y.CDCode || x.Sector != y.Sector)
            return false;
    }
    return true;
}

CarryOver CarryHostNames(std::vector<Cue>& fresh, const std::vector<Cue>& old)
{
    Unused byTime(old.size());
    Unused byPoint(old.size());
    for (std::size_t i = 0; i < old.size(); ++i) {
        byTime.Add(TimedPoint(old[i]), i);
        byPoint.Add(Point(old[i]), i);
    }
    std::vector<char> taken(old.size(), 0);
    std::vector<char> named(fresh.size(), 0);
    CarryOver result;
    const auto give = [&](std::size_t cue, std::size_t from) {
        taken[from] = 1;
        named[cue] = 1;
        fresh[cue].HostName = old[from].HostName;
        ++result.kept;
    };
    std::vector<char> guessed(fresh.size(), 0);
    // One rule over every new cue still without a name, in order.
    const auto pass = [&](Unused& unused, std::string (*keyOf)(const Cue&), int* counted) {
        const std::vector<char> takenBefore = taken;
        std::unordered_map<std::string, std::vector<std::size_t>> matched;
        for (std::size_t i = 0; i < fresh.size(); ++i) {
            if (named[i])
                continue;
            std::string key = keyOf(fresh[i]);
            if (const auto from = unused.Take(key, taken)) {
                give(i, *from);
                matched[std::move(key)].push_back(i);
                if (counted)
                    ++*counted;
            }
        }
        MarkGuessed(matched, unused, takenBefore, taken, old, guessed);
    };
    pass(byTime, TimedPoint, nullptr);
    pass(byPoint, Point, &result.retimed);
    for (const char guess : guessed)
        if (guess) {
            --result.kept;
            ++result.guessed;
        }
    const auto moduleNames = ModuleNames(old);
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        if (named[i])
            continue;
        ++result.added;
        const auto module = moduleNames.find(fresh[i].Addr);
        if (module != moduleNames.end() && module->second) {
            fresh[i].HostName = *module->second;
            ++result.kept;
        } else {
            fresh[i].HostName = store::kDefaultHostName;
            ++result.fellBack;
        }
    }
    for (const char used : taken)
        result.removed += used ? 0 : 1;
    result.namesLeft = NamesLeft(old, fresh);
    return result;
}

} // namespace show
