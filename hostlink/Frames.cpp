#include "hostlink/Frames.h"

#include "platform/Gbk.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/DecimalValue.h"
#include "show/HostNameRules.h"

#include <algorithm>
#include <optional>

namespace hostlink {

namespace {

void PutInt32(std::span<std::uint8_t> frame, std::size_t offset, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i)
        frame[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

void PutUint16(std::span<std::uint8_t> frame, std::size_t offset, std::uint16_t value)
{
    frame[offset] = static_cast<std::uint8_t>(value);
    frame[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

// Copies the GBK form of a text into its field, with a terminator when room
// is left. False when the text has no exact GBK form, does not fit, or holds
// a zero byte (the host would end the name there).
bool FillTextField(std::span<std::uint8_t> field, const std::string& utf8)
{
    const std::optional<std::string> gbk = platform::Utf8ToGbk(utf8);
    if (!gbk || gbk->size() > field.size() || gbk->find('\0') != std::string::npos)
        return false;
    std::ranges::fill(field, std::uint8_t{0});
    std::ranges::copy(*gbk, field.begin());
    return true;
}

void PutHeader(std::span<std::uint8_t> frame, FrameType type, std::uint8_t flag,
               std::size_t payloadSize)
{
    frame[0] = kFrameMarker;
    frame[1] = static_cast<std::uint8_t>(type);
    frame[2] = flag;
    frame[3] = static_cast<std::uint8_t>(payloadSize);
}

void PutChecksum(std::span<std::uint8_t> frame)
{
    const std::size_t last = frame.size() - kChecksumSize;
    frame[last] = FrameChecksum(frame.subspan(kHeaderSize, last - kHeaderSize));
}

bool Failed(std::span<std::uint8_t> frame)
{
    std::ranges::fill(frame, std::uint8_t{0});
    return false;
}

bool BuildNameFrame(std::span<std::uint8_t> frame, FrameType type, const std::string& name)
{
    std::ranges::fill(frame, std::uint8_t{0});
    PutHeader(frame, type, kNameFrameFlag, kNamePayloadSize);
    if (name.empty() || !FillTextField(frame.subspan(kHeaderSize, kNameFieldSize), name))
        return Failed(frame);
    PutChecksum(frame);
    return true;
}

} // namespace

std::uint8_t FrameChecksum(std::span<const std::uint8_t> payload)
{
    unsigned sum = 0;
    for (const std::uint8_t byte : payload)
        sum += byte;
    return static_cast<std::uint8_t>(sum);
}

PositionCode PositionOf(std::size_t index, std::size_t count)
{
    if (index == 0)
        return kFirstCue;
    return index + 1 == count ? kLastCue : kMiddleCue;
}

bool BuildProjectNameFrame(const std::string& name, ProjectNameFrame& frame)
{
    return BuildNameFrame(frame.bytes, FrameType::kProjectName, name);
}

bool BuildHostNameFrame(const std::string& hostName, HostNameFrame& frame)
{
    return BuildNameFrame(frame.bytes, FrameType::kHostName, hostName);
}

bool BuildCueFrame(const show::Cue& cue, PositionCode position, CueFrame& frame)
{
    const std::optional<std::int32_t> addr = show::DecimalValue(cue.Addr);
    const std::optional<std::int32_t> channel = show::DecimalValue(cue.Channel);
    CueNameField name;
    if (position > kLastCue || !addr || !channel || !BuildCueNameField(cue.HostName, name))
        return Failed(frame.bytes);
    BuildCueFrame({cue.CDCode, cue.Sector, cue.BlastTime, *addr, *channel}, name, position, frame);
    return true;
}

bool BuildCueNameField(const std::string& hostName, CueNameField& field)
{
    // The name as the host was told it: a store written by another program
    // may hold one with blanks around it, which no host's own name carries.
    if (FillTextField(field, show::TrimHostName(hostName)))
        return true;
    field.fill(0);
    return false;
}

void BuildCueFrame(const CueFrameNumbers& numbers, const CueNameField& name, PositionCode position,
                   CueFrame& frame)
{
    const std::span<std::uint8_t> bytes = frame.bytes;
    PutHeader(bytes, FrameType::kCue, position, kCuePayloadSize);
    PutInt32(bytes, kCueCDCodeOffset, numbers.cdCode);
    PutInt32(bytes, kCueReservedOffset, 0); // the host expects 0
    PutInt32(bytes, kCueSectorOffset, numbers.sector);
    PutInt32(bytes, kCueBlastTimeOffset, numbers.blastTime);
    PutInt32(bytes, kCueAddrOffset, numbers.addr);
    PutInt32(bytes, kCueChannelOffset, numbers.channel);
    std::ranges::copy(name, bytes.begin() + kCueHostNameOffset);
    PutChecksum(bytes);
}

bool BuildCommandFrame(const CommandWord& command, CommandFrame& frame)
{
    const std::span<std::uint8_t> bytes = frame.bytes;
    std::ranges::fill(bytes, std::uint8_t{0});
    bytes[0] = kCommandMarker;
    bytes[1] = kCommandKind;
    PutUint16(bytes, 2, static_cast<std::uint16_t>(kCommandWordSize));
    PutUint16(bytes, 4, command.code);
    PutUint16(bytes, 6, 1);
    if (command.word == nullptr ||
        !FillTextField(bytes.subspan(kCommandWordOffset, kCommandWordSize), command.word))
        return Failed(bytes);
    return true;
}

} // namespace hostlink
