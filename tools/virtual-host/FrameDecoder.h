#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace hostlink {

// A datagram as a firing host reads it. Invalid when anything about it is
// off: marker, type, flag, payload length, size, checksum, a text field that
// is not GBK or not zero after its terminator, a non-zero reserved field.
struct DecodedFrame
{
    enum Kind
    {
        kInvalid,
        kProjectName,
        kHostName,
        kCue
    };
    Kind kind = kInvalid;
    std::string error;    // why it is invalid
    std::size_t size = 0; // bytes in the datagram
    std::string name;     // project name, host name, or the cue's HostName (UTF-8)
    int position = 0;     // cue frames: the position code
    std::int32_t CDCode = 0;
    std::int32_t reserved = 0;
    std::int32_t Sector = 0;
    std::int32_t BlastTime = 0;
    std::int32_t Addr = 0;
    std::int32_t Channel = 0;
};

DecodedFrame DecodeFrame(std::span<const std::uint8_t> datagram);

} // namespace hostlink
