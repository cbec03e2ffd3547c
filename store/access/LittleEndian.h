#pragma once

#include <cstdint>

// Jet keeps its numbers little-endian. The caller has checked that the bytes
// are there.
namespace jet {

inline std::uint16_t Le16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t Le24(const unsigned char* p)
{
    return p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
}

inline std::uint32_t Le32(const unsigned char* p)
{
    return Le24(p) | (std::uint32_t{p[3]} << 24);
}

inline std::uint64_t Le64(const unsigned char* p)
{
    return Le32(p) | (std::uint64_t{Le32(p + 4)} << 32);
}

} // namespace jet
