#include "tools/virtual-host/FrameDecoder.h"

#include "hostlink/FrameLayout.h"
#include "hostlink/Frames.h"
#include "platform/Gbk.h"

#include <algorithm>
#include <optional>

namespace hostlink {

namespace {

std::int32_t Int32At(std::span<const std::uint8_t> frame, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= std::uint32_t{frame[offset + i]} << (8 * i);
    return static_cast<std::int32_t>(value);
}

// A text field: GBK bytes, then (when shorter than the field) zeros only.
std::optional<std::string> ReadTextField(std::span<const std::uint8_t> field, std::string& error)
{
    const auto end = std::ranges::find(field, std::uint8_t{0});
    if (!std::all_of(end, field.end(), [](std::uint8_t b) { return b == 0; })) {
        error = "text field has bytes after its terminator";
        return std::nullopt;
    }
    const std::string gbk(field.begin(), end);
    std::optional<std::string> utf8 = platform::GbkToUtf8(gbk);
    if (!utf8)
        error = "text field is not GBK";
    return utf8;
}

DecodedFrame Invalid(DecodedFrame frame, std::string error)
{
    frame.kind = DecodedFrame::kInvalid;
    frame.error = std::move(error);
    return frame;
}

std::string Hex(unsigned value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {'0', 'x', kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

} // namespace

DecodedFrame DecodeFrame(std::span<const std::uint8_t> datagram)
{
    DecodedFrame frame;
    frame.size = datagram.size();
    if (datagram.size() < kHeaderSize + kChecksumSize)
        return Invalid(frame, "shorter than a frame header");
    if (datagram[0] != kFrameMarker)
        return Invalid(frame, "marker " + Hex(datagram[0]) + ", expected 0xFF");

    std::size_t payloadSize = 0;
    switch (static_cast<FrameType>(datagram[1])) {
    case FrameType::kProjectName:
    case FrameType::kHostName:
        frame.kind = datagram[1] == static_cast<std::uint8_t>(FrameType::kProjectName)
                         ? DecodedFrame::kProjectName
                         : DecodedFrame::kHostName;
        payloadSize = kNamePayloadSize;
        if (datagram[2] != kNameFrameFlag)
            return Invalid(frame, "flag byte " + Hex(datagram[2]) + ", expected 0x01");
        break;
    case FrameType::kCue:
        frame.kind = DecodedFrame::kCue;
        payloadSize = kCuePayloadSize;
        frame.position = datagram[2];
        if (frame.position > kLastCue)
            return Invalid(frame, "position code " + std::to_string(frame.position));
        break;
    default:
        return Invalid(frame, "unknown frame type " + std::to_string(datagram[1]));
    }
    if (datagram[3] != payloadSize)
        return Invalid(frame, "payload length " + std::to_string(datagram[3]) + ", expected " +
                                  std::to_string(payloadSize));
    if (datagram.size() != kHeaderSize + payloadSize + kChecksumSize)
        return Invalid(frame, "datagram of " + std::to_string(datagram.size()) +
                                  " bytes, expected " +
                                  std::to_string(kHeaderSize + payloadSize + kChecksumSize));
    const std::uint8_t checksum = FrameChecksum(datagram.subspan(kHeaderSize, payloadSize));
    if (datagram.back() != checksum)
        return Invalid(frame, "checksum " + Hex(datagram.back()) + ", expected " + Hex(checksum));

    std::string error;
    if (frame.kind == DecodedFrame::kCue) {
        frame.CDCode = Int32At(datagram, kCueCDCodeOffset);
        frame.reserved = Int32At(datagram, kCueReservedOffset);
        frame.Sector = Int32At(datagram, kCueSectorOffset);
        frame.BlastTime = Int32At(datagram, kCueBlastTimeOffset);
        frame.Addr = Int32At(datagram, kCueAddrOffset);
        frame.Channel = Int32At(datagram, kCueChannelOffset);
        if (frame.reserved != 0)
            return Invalid(frame, "reserved field " + std::to_string(frame.reserved));
        auto name = ReadTextField(datagram.subspan(kCueHostNameOffset, kNameFieldSize), error);
        if (!name)
            return Invalid(frame, error);
        frame.name = std::move(*name);
        return frame;
    }
    auto name = ReadTextField(datagram.subspan(kHeaderSize, kNameFieldSize), error);
    if (!name)
        return Invalid(frame, error);
    if (name->empty())
        return Invalid(frame, "empty name");
    frame.name = std::move(*name);
    return frame;
}

} // namespace hostlink
