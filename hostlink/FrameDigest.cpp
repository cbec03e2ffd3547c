#include "hostlink/FrameDigest.h"

#include "hostlink/Frames.h"

#include <array>
#include <bit>
#include <cstdio>
#include <cstring>

namespace hostlink {

namespace {
constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;

// The prime's powers: a zero byte only multiplies the hash by the prime, so
// the steps of n bytes with nothing to mix in are one multiplication by its
// nth power, wrapping as the single steps do.
constexpr std::size_t kPowers = 128;
constexpr auto kPrimePowers = [] {
    std::array<std::uint64_t, kPowers> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& each : powers) {
        each = power;
        power *= kFnvPrime;
    }
    return powers;
}();

std::uint64_t TimesPrimePower(std::uint64_t hash, std::size_t n)
{
    for (; n >= kPowers; n -= kPowers - 1)
        hash *= kPrimePowers[kPowers - 1];
    return hash * kPrimePowers[n];
}

// Bit 7 of each byte of `word` set where that byte is not zero; the words
// are read as this machine lays them out.
static_assert(std::endian::native == std::endian::little);

std::uint64_t NonzeroBytes(std::uint64_t word)
{
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    return (((word & kLow7) + kLow7) | word) & ~kLow7;
}
} // namespace

void FrameDigest::Add(std::span<const std::uint8_t> frame)
{
    // The hash is `hash` times the prime to the power `owed`: each byte
    // costs one multiplication and one exclusive or, each zero byte none.
    // Frames are mostly zeros (a name field's padding, the high bytes of
    // small numbers).
    std::uint64_t hash = hash_;
    std::size_t owed = 0;
    const auto mix = [&](std::uint8_t byte) {
        hash = TimesPrimePower(hash, owed) ^ byte;
        owed = 1;
    };
    std::size_t at = 0;
    for (; at + 8 <= frame.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, frame.data() + at, sizeof word);
        std::size_t done = 0; // bytes of the word accounted for
        for (std::uint64_t bytes = NonzeroBytes(word); bytes != 0; bytes &= bytes - 1) {
            // Little-endian: the lowest set bit is the first such byte.
            const std::size_t i = static_cast<std::size_t>(std::countr_zero(bytes)) / 8;
            owed += i - done;
            mix(frame[at + i]);
            done = i + 1;
        }
        owed += 8 - done;
    }
    for (; at < frame.size(); ++at) {
        if (frame[at] == 0)
            ++owed;
        else
            mix(frame[at]);
    }
    hash_ = TimesPrimePower(hash, owed);
}

std::string FrameDigest::Hex() const
{
    char text[17] = {};
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash_));
    return text;
}

ShowDigester::ShowDigester()
{
    ProjectNameFrame projectName;
    unbuildable_ = !BuildProjectNameFrame(kProjectName, projectName);
    digest_.Add(projectName.bytes);
}

void ShowDigester::Take(const show::Cue& cue, std::size_t index, std::size_t count)
{
    CueFrame frame;
    if (!BuildCueFrame(cue, PositionOf(index, count), frame))
        unbuildable_ = true;
    digest_.Add(frame.bytes);
}

void ShowDigester::Add(const show::Cue& cue)
{
    if (held_) // not the last: one more comes after it
        Take(*held_, added_ - 1, added_ + 1);
    held_ = cue;
    ++added_;
}

std::optional<std::string> ShowDigester::Finish()
{
    if (held_)
        Take(*held_, added_ - 1, added_);
    held_.reset();
    if (unbuildable_)
        return std::nullopt;
    return digest_.Hex();
}

std::optional<std::string> ShowDigest(std::span<const show::Cue> cues)
{
    ShowDigester digester;
    for (const show::Cue& cue : cues)
        digester.Add(cue);
    return digester.Finish();
}

} // namespace hostlink
