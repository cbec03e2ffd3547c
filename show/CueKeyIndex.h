#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace show {

// What two cues of two shows are matched by: their module and channel as
// numbers given to their texts, and for some rules their launch time.
struct CueKey
{
    static constexpr std::int64_t kUntimed = std::int64_t{1} << 40; // no launch time is

    std::uint64_t point = 0; // module number << 32 | channel number
    std::int64_t time = kUntimed;

    bool operator==(const CueKey&) const = default;
};

// Numbers the distinct keys of a show as they are added, from 0. Open
// addressing over one array: a show has as many keys as cues, and a map
// node for each would cost more than the matching itself.
class CueKeyIndex
{
public:
    // Room for `keys` keys without growing.
    explicit CueKeyIndex(std::size_t keys);

    // The key's number; a new one, and `added` set, when it had none.
    std::size_t Add(const CueKey& key, bool& added);
    std::optional<std::size_t> Find(const CueKey& key) const;

private:
    std::size_t Bucket(const CueKey& key) const;
    void Grow();

    std::vector<CueKey> keys_;
    std::vector<std::uint32_t> buckets_; // a key's number + 1; 0 when free
};

} // namespace show
