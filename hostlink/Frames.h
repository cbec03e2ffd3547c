#pragma once

#include "hostlink/FrameLayout.h"
#include "show/Cue.h"
#include "store/LayoutTable.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

// The frame builders. A builder clears the frame, fills it and says whether
// it could; when the frame cannot be built exactly (a text that GBK cannot
// encode or that is longer than its field) it leaves the frame cleared, and
// the conversation ends with its failure. Nothing is ever sent cut short or
// with substituted characters.
namespace hostlink {

[[nodiscard]] bool BuildProjectNameFrame(const std::string& name, ProjectNameFrame& frame);
// The host name must hold 1 to 64 bytes in GBK.
[[nodiscard]] bool BuildHostNameFrame(const std::string& hostName, HostNameFrame& frame);
// The cue's host name goes trimmed (show::TrimHostName), as a host is told it.
[[nodiscard]] bool BuildCueFrame(const show::Cue& cue, PositionCode position, CueFrame& frame);

// The same made of its parts, for a show's frames made by the hundred
// thousand: each host's name field made once, each module and channel
// already a number.
struct CueFrameNumbers
{
    std::int32_t cdCode = 0;
    std::int32_t sector = 0;
    std::int32_t blastTime = 0;
    std::int32_t addr = 0;
    std::int32_t channel = 0;
};
using CueNameField = std::array<std::uint8_t, kNameFieldSize>;
// The field of a cue's host name (trimmed); false when it cannot be built.
[[nodiscard]] bool BuildCueNameField(const std::string& hostName, CueNameField& field);
void BuildCueFrame(const CueFrameNumbers& numbers, const CueNameField& name, PositionCode position,
                   CueFrame& frame);
[[nodiscard]] bool BuildCommandFrame(const CommandWord& command, CommandFrame& frame);

// The low 8 bits of the sum of the payload bytes.
std::uint8_t FrameChecksum(std::span<const std::uint8_t> payload);

// The position code of cue `index` of `count`: 0 first (a lone cue too),
// 2 last, 1 between.
PositionCode PositionOf(std::size_t index, std::size_t count);

} // namespace hostlink
