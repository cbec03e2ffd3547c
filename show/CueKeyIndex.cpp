#include "show/CueKeyIndex.h"

#include <bit>

namespace show {

namespace {

// splitmix64's finaliser: every bit of the key moves the bucket.
std::uint64_t Mix(std::uint64_t x)
{
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

std::size_t BucketsFor(std::size_t keys)
{
    return std::bit_ceil(keys * 2 + 16); // at most half full
}

} // namespace

CueKeyIndex::CueKeyIndex(std::size_t keys) : buckets_(BucketsFor(keys), 0)
{
    keys_.reserve(keys);
}

std::size_t CueKeyIndex::Bucket(const CueKey& key) const
{
    const std::uint64_t hash = Mix(key.point ^ Mix(static_cast<std::uint64_t>(key.time)));
    return static_cast<std::size_t>(hash) & (buckets_.size() - 1);
}

std::size_t CueKeyIndex::Add(const CueKey& key, bool& added)
{
    if ((keys_.size() + 1) * 2 > buckets_.size())
        Grow();
    for (std::size_t b = Bucket(key);; b = (b + 1) & (buckets_.size() - 1)) {
        if (buckets_[b] == 0) {
            keys_.push_back(key);
            buckets_[b] = static_cast<std::uint32_t>(keys_.size());
            added = true;
            return keys_.size() - 1;
        }
        if (keys_[buckets_[b] - 1] == key) {
            added = false;
            return buckets_[b] - 1;
        }
    }
}

std::optional<std::size_t> CueKeyIndex::Find(const CueKey& key) const
{
    for (std::size_t b = Bucket(key);; b = (b + 1) & (buckets_.size() - 1)) {
        if (buckets_[b] == 0)
            return std::nullopt;
        if (keys_[buckets_[b] - 1] == key)
            return buckets_[b] - 1;
    }
}

void CueKeyIndex::Grow()
{
    buckets_.assign(buckets_.size() * 2, 0);
    for (std::size_t n = 0; n < keys_.size(); ++n) {
        std::size_t b = Bucket(keys_[n]);
        while (buckets_[b] != 0)
            b = (b + 1) & (buckets_.size() - 1);
        buckets_[b] = static_cast<std::uint32_t>(n + 1);
    }
}

} // namespace show
