#pragma once

#include "show/Cue.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace hostlink {

// A digest of the frames a host took in, in order: FNV-1a, 64 bits, over
// their bytes one after another (each frame's type and length are in its own
// first bytes, so no two sequences run together). It tells one show from
// another as a host would receive it; it is no protection against a forger.
class FrameDigest
{
public:
    void Add(std::span<const std::uint8_t> frame);
    // Sixteen lower-case hexadecimal digits.
    std::string Hex() const;

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ULL; // the FNV-1a 64 offset basis
};

// The digest ShowDigest gives, made a cue at a time as a download's cues
// come, in launch-time order, without holding them all: each cue's frame is
// made once the next says whether it is the last.
class ShowDigester
{
public:
    ShowDigester();
    void Add(const show::Cue& cue);
    // Nothing when a cue cannot be built, as such a show cannot be sent.
    std::optional<std::string> Finish();

private:
    void Take(const show::Cue& cue, std::size_t index, std::size_t count);

    FrameDigest digest_;
    std::optional<show::Cue> held_;
    std::size_t added_ = 0;
    bool unbuildable_ = false;
};

// The digest of every frame a download of `cues` (in launch-time order) sends,
// the project name first: what a host that took in the whole show holds.
// Nothing when a cue cannot be built, as such a show cannot be sent.
std::optional<std::string> ShowDigest(std::span<const show::Cue> cues);

} // namespace hostlink
