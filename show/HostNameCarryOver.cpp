#include "show/HostNameCarryOver.h"

#include "store/LayoutTable.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace show {

namespace {

// A cue's module and channel, and for the first rule its launch time too. It
// looks into the cue's own texts, which no pass changes.
struct CueKey
{
    std::string_view addr;
    std::string_view channel;
    std::int64_t time = kUntimed;

    static constexpr std::int64_t kUntimed = std::int64_t{1} << 40; // no launch time is
    bool operator==(const CueKey&) const = default;
};

struct CueKeyHash
{
    std::size_t operator()(const CueKey& key) const noexcept
    {
        const std::size_t a = std::hash<std::string_view>()(key.addr);
        const std::size_t c = std::hash<std::string_view>()(key.channel);
        const std::size_t t = std::hash<std::int64_t>()(key.time);
        return (a * 31 + c) * 1000003 ^ t;
    }
};

CueKey Point(const Cue& cue)
{
    return {cue.Addr, cue.Channel};
}

CueKey TimedPoint(const Cue& cue)
{
    return {cue.Addr, cue.Channel, cue.BlastTime};
}

// The old cues by a key, each key's in their order, those not yet taken
// found from where the last one taken was. Held as one array of cue indices,
// a slice of it per key: a show has as many keys as cues.
class Unused
{
public:
    struct Slot
    {
        std::size_t begin = 0;
        std::size_t size = 0;
        std::size_t next = 0; // those of the slice before it are taken
    };

    Unused(const std::vector<Cue>& old, CueKey (*keyOf)(const Cue&))
    {
        index_.reserve(old.size());
        std::vector<std::size_t> slotOf(old.size());
        for (std::size_t i = 0; i < old.size(); ++i) {
            const auto [at, added] = index_.try_emplace(keyOf(old[i]), slots_.size());
            if (added)
                slots_.emplace_back();
            slotOf[i] = at->second;
            ++slots_[at->second].size;
        }
        std::size_t begin = 0;
        for (Slot& slot : slots_) {
            slot.begin = begin;
            begin += slot.size;
            slot.next = slot.begin; // counts the slice's cues in below, then starts it
        }
        cues_.resize(old.size());
        for (std::size_t i = 0; i < old.size(); ++i)
            cues_[slots_[slotOf[i]].next++] = i;
        for (Slot& slot : slots_)
            slot.next = slot.begin;
    }

    // The slot of the key; none when no old cue has it.
    Slot* Find(const CueKey& key)
    {
        const auto it = index_.find(key);
        return it == index_.end() ? nullptr : &slots_[it->second];
    }

    // The first old cue of the slot not taken yet, now taken.
    std::optional<std::size_t> Take(Slot& slot, const std::vector<char>& taken)
    {
        const std::size_t end = slot.begin + slot.size;
        while (slot.next < end && taken[cues_[slot.next]])
            ++slot.next;
        if (slot.next == end)
            return std::nullopt;
        return cues_[slot.next++];
    }

    // Every old cue of the slot, taken or not, in order.
    std::span<const std::size_t> Cues(const Slot& slot) const
    {
        return {cues_.data() + slot.begin, slot.size};
    }

private:
    std::unordered_map<CueKey, std::size_t, CueKeyHash> index_;
    std::vector<Slot> slots_;
    std::vector<std::size_t> cues_;
};

// The one name every old cue of a module had; none when they differ.
std::unordered_map<std::string_view, const std::string*> ModuleNames(const std::vector<Cue>& old)
{
    std::unordered_map<std::string_view, const std::string*> names;
    for (const Cue& cue : old) {
        const auto [at, added] = names.try_emplace(cue.Addr, &cue.HostName);
        if (!added && at->second && *at->second != cue.HostName)
            at->second = nullptr;
    }
    return names;
}

// The new cues `matched` (by the slot of their key) in one pass guessed their
// names: their old cues, those still untaken when the pass began, have
// different names and some of them are still untaken. Only keys of more than
// one old cue can be met so.
void MarkGuessed(const std::unordered_map<const Unused::Slot*, std::vector<std::size_t>>& matched,
                 const Unused& unused, const std::vector<char>& takenBefore,
                 const std::vector<char>& taken, const std::vector<Cue>& old,
                 std::vector<char>& guessed)
{
    for (const auto& [slot, fresh] : matched) {
        const std::string* name = nullptr;
        bool differ = false;
        bool leftOver = false;
        for (const std::size_t cue : unused.Cues(*slot)) {
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
    std::unordered_set<std::string_view> now;
    for (const Cue& cue : fresh)
        now.insert(cue.HostName);
    std::vector<std::string> left;
    std::unordered_set<std::string_view> said;
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
    Unused byTime(old, TimedPoint);
    Unused byPoint(old, Point);
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
    const auto pass = [&](Unused& unused, CueKey (*keyOf)(const Cue&), int* counted) {
        const std::vector<char> takenBefore = taken;
        std::unordered_map<const Unused::Slot*, std::vector<std::size_t>> matched;
        for (std::size_t i = 0; i < fresh.size(); ++i) {
            if (named[i])
                continue;
            Unused::Slot* slot = unused.Find(keyOf(fresh[i]));
            if (!slot)
                continue;
            if (const auto from = unused.Take(*slot, taken)) {
                give(i, *from);
                if (slot->size > 1)
                    matched[slot].push_back(i);
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
