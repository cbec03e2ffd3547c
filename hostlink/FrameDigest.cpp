#include "hostlink/FrameDigest.h"

#include "hostlink/Frames.h"

#include <cstdio>
#include <cstring>

namespace hostlink {

namespace {
constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;
// A zero byte leaves the hash as it is before its multiplication: eight of
// them multiply it by the prime's eighth power, wrapping as the steps do.
constexpr std::uint64_t kFnvPrimeTimesEight = [] {
    std::uint64_t power = 1;
    for (int i = 0; i < 8; ++i)
        power *= kFnvPrime;
    return power;
}();
} // namespace

void FrameDigest::Add(std::span<const std::uint8_t> frame)
{
    // Frames are mostly zeros (a name field's padding, the high bytes of
    // small numbers): eight at once where they come eight together.
    std::size_t at = 0;
    for (; at + 8 <= frame.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, frame.data() + at, sizeof word);
        if (word == 0) {
            hash_ *= kFnvPrimeTimesEight;
            continue;
        }
        for (std::size_t i = at; i < at + 8; ++i) {
            hash_ ^= frame[i];
            hash_ *= kFnvPrime;
        }
    }
    for (; at < frame.size(); ++at) {
        hash_ ^= frame[at];
        hash_ *= kFnvPrime;
    }
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
