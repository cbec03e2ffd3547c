#include "show/HostNameCarryOver.h"

#include "show/CueKeyIndex.h"
#include "store/LayoutTable.h"

#include <climits>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace show {

namespace {

// Numbers for the texts of modules and channels, so that keys compare as
// numbers: a show has few of them, met once a cue.
class TextNumbers
{
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    std::uint32_t Add(std::string_view text)
    {
        return numbers_.try_emplace(text, static_cast<std::uint32_t>(numbers_.size()))
            .first->second;
    }
    std::uint32_t Find(std::string_view text) const
    {
        const auto it = numbers_.find(text);
        return it == numbers_.end() ? kNone : it->second;
    }

private:
    std::unordered_map<std::string_view, std::uint32_t> numbers_;
};

// The keys of the cues of a show by both rules, those of the new show's
// cues by the old show's numbers: none for a text no old cue has.
struct ShowKeys
{
    std::vector<CueKey> timed;
    std::vector<CueKey> point;
    std::vector<std::uint32_t> module; // the number of each cue's module text
};

template <typename Number> ShowKeys KeysOf(const std::vector<Cue>& cues, Number number)
{
    ShowKeys keys;
    keys.timed.reserve(cues.size());
    keys.point.reserve(cues.size());
    keys.module.reserve(cues.size());
    for (const Cue& cue : cues) {
        const std::uint32_t module = number(0, cue.Addr);
        const std::uint32_t channel = number(1, cue.Channel);
        const bool known = module != TextNumbers::kNone && channel != TextNumbers::kNone;
        const std::uint64_t point =
            known ? std::uint64_t{module} << 32 | channel : UINT64_MAX; // matches none
        keys.point.push_back({point});
        keys.timed.push_back({point, cue.BlastTime});
        keys.module.push_back(module);
    }
    return keys;
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

    explicit Unused(const std::vector<CueKey>& keys) : index_(keys.size())
    {
        std::vector<std::size_t> slotOf(keys.size());
        for (std::size_t i = 0; i < keys.size(); ++i) {
            bool added = false;
            slotOf[i] = index_.Add(keys[i], added);
            if (added)
                slots_.emplace_back();
            ++slots_[slotOf[i]].size;
        }
        std::size_t begin = 0;
        for (Slot& slot : slots_) {
            slot.begin = begin;
            begin += slot.size;
            slot.next = slot.begin; // counts the slice's cues in below, then starts it
        }
        cues_.resize(keys.size());
        for (std::size_t i = 0; i < keys.size(); ++i)
            cues_[slots_[slotOf[i]].next++] = i;
        for (Slot& slot : slots_)
            slot.next = slot.begin;
    }

    // The slot of the key; none when no old cue has it.
    Slot* Find(const CueKey& key)
    {
        const std::optional<std::size_t> slot = index_.Find(key);
        return slot ? &slots_[*slot] : nullptr;
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
    CueKeyIndex index_;
    std::vector<Slot> slots_;
    std::vector<std::size_t> cues_;
};

// By module number, the one name every old cue of that module had; none
// when they differ.
std::vector<const std::string*> ModuleNames(const std::vector<Cue>& old,
                                            const std::vector<std::uint32_t>& modules)
{
    std::vector<const std::string*> names;
    std::vector<char> seen;
    for (std::size_t i = 0; i < old.size(); ++i) {
        const std::uint32_t module = modules[i];
        if (module >= names.size()) {
            names.resize(module + 1, nullptr);
            seen.resize(module + 1, 0);
        }
        if (!seen[module]) {
            seen[module] = 1;
            names[module] = &old[i].HostName;
        } else if (names[module] && *names[module] != old[i].HostName) {
            names[module] = nullptr;
        }
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
    TextNumbers texts[2]; // of modules, of channels
    const ShowKeys oldKeys =
        KeysOf(old, [&](int kind, const std::string& text) { return texts[kind].Add(text); });
    const ShowKeys freshKeys =
        KeysOf(fresh, [&](int kind, const std::string& text) { return texts[kind].Find(text); });
    Unused byTime(oldKeys.timed);
    Unused byPoint(oldKeys.point);
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
    const auto pass = [&](Unused& unused, const std::vector<CueKey>& keys, int* counted) {
        const std::vector<char> takenBefore = taken;
        std::unordered_map<const Unused::Slot*, std::vector<std::size_t>> matched;
        for (std::size_t i = 0; i < fresh.size(); ++i) {
            if (named[i])
                continue;
            Unused::Slot* slot = unused.Find(keys[i]);
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
    pass(byTime, freshKeys.timed, nullptr);
    pass(byPoint, freshKeys.point, &result.retimed);
    for (const char guess : guessed)
        if (guess) {
            --result.kept;
            ++result.guessed;
        }
    const std::vector<const std::string*> moduleNames = ModuleNames(old, oldKeys.module);
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        if (named[i])
            continue;
        ++result.added;
        const std::uint32_t module = freshKeys.module[i];
        if (module < moduleNames.size() && moduleNames[module]) {
            fresh[i].HostName = *moduleNames[module];
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
