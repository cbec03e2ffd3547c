#include "hostlink/FrameDigest.h"

#include "hostlink/Frames.h"

#include <cstdio>

namespace hostlink {

namespace {
constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;
} // namespace

void FrameDigest::Add(std::span<const std::uint8_t> frame)
{
    for (const std::uint8_t byte : frame) {
        hash_ ^= byte;
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
