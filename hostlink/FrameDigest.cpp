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

std::optional<std::string> ShowDigest(std::span<const show::Cue> cues)
{
    FrameDigest digest;
    ProjectNameFrame projectName;
    if (!BuildProjectNameFrame(kProjectName, projectName))
        return std::nullopt;
    digest.Add(projectName.bytes);
    for (std::size_t i = 0; i < cues.size(); ++i) {
        CueFrame frame;
        if (!BuildCueFrame(cues[i], PositionOf(i, cues.size()), frame))
            return std::nullopt;
        digest.Add(frame.bytes);
    }
    return digest.Hex();
}

} // namespace hostlink
