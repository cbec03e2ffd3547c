#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The byte layout of the datagrams between the program and a firing host.
// Integers are little-endian; 32-bit fields are signed.
namespace hostlink {

inline constexpr std::uint8_t kFrameMarker = 0xFF;
inline constexpr std::size_t kHeaderSize = 4; // marker, type, flag, payload length
inline constexpr std::size_t kChecksumSize = 1;

enum class FrameType : std::uint8_t
{
    kProjectName = 2,
    kHostName = 3,
    kCue = 4
};

// Byte 2 of a name frame.
inline constexpr std::uint8_t kNameFrameFlag = 1;

inline constexpr std::size_t kNameFieldSize = 64;
inline constexpr std::size_t kNamePayloadSize = kNameFieldSize;
inline constexpr std::size_t kNameFrameSize = kHeaderSize + kNamePayloadSize + kChecksumSize; // 69

// Offsets in a cue frame. The integer order is not tb_Layout's column order.
inline constexpr std::size_t kCueCDCodeOffset = 4;
inline constexpr std::size_t kCueReservedOffset = 8;
inline constexpr std::size_t kCueSectorOffset = 12;
inline constexpr std::size_t kCueBlastTimeOffset = 16;
inline constexpr std::size_t kCueAddrOffset = 20;
inline constexpr std::size_t kCueChannelOffset = 24;
inline constexpr std::size_t kCueHostNameOffset = 28;
inline constexpr std::size_t kCuePayloadSize = 88;
inline constexpr std::size_t kCueFrameSize = kHeaderSize + kCuePayloadSize + kChecksumSize; // 93

// Byte 2 of a cue frame: where the cue stands in its download.
enum PositionCode : std::uint8_t
{
    kFirstCue = 0,
    kMiddleCue = 1,
    kLastCue = 2
};

// The command layout: 42 bytes, no checksum.
inline constexpr std::uint8_t kCommandMarker = 0x10;
inline constexpr std::uint8_t kCommandKind = 0x01;
inline constexpr std::size_t kCommandWordOffset = 10;
inline constexpr std::size_t kCommandWordSize = 32;
inline constexpr std::size_t kCommandFrameSize = kCommandWordOffset + kCommandWordSize; // 42

struct CommandWord
{
    std::uint16_t code;
    const char* word;
};
inline constexpr CommandWord kClearFireTable{1, "clearfiretable"};
inline constexpr CommandWord kSaveParam{3, "saveparam"};

// The name every download gives its show.
inline constexpr char kProjectName[] = "Velmora";

inline constexpr std::size_t kAcknowledgementSize = 4;
inline constexpr std::int32_t kAcceptedValue = 1;

struct ProjectNameFrame
{
    std::array<std::uint8_t, kNameFrameSize> bytes{};
};

struct HostNameFrame
{
    std::array<std::uint8_t, kNameFrameSize> bytes{};
};

struct CueFrame
{
    std::array<std::uint8_t, kCueFrameSize> bytes{};
};

struct CommandFrame
{
    std::array<std::uint8_t, kCommandFrameSize> bytes{};
};

// The host's reply to one frame: 1 accepts it, any other value refuses it.
struct Acknowledgement
{
    std::array<std::uint8_t, kAcknowledgementSize> bytes{};

    std::int32_t Value() const
    {
        const std::uint32_t value = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                                    std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
        return static_cast<std::int32_t>(value);
    }
    bool Accepted() const { return Value() == kAcceptedValue; }
};

} // namespace hostlink
