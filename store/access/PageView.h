#pragma once

#include "store/access/LittleEndian.h"
#include "store/access/Unreadable.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace jet {

// The bytes of one page, or of a row or a value on one, read only through
// reads that check their range: a read past them raises the reader's damage
// error naming `place`, so a structure read through it is safe whatever its
// numbers say.
class PageView
{
public:
    PageView(std::span<const unsigned char> bytes, Place place)
        : bytes_(bytes), place_(std::move(place))
    {
    }
    PageView(std::string_view bytes, Place place)
        : PageView({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()},
                   std::move(place))
    {
    }

    std::size_t Size() const { return bytes_.size(); }
    const Place& Where() const { return place_; }

    std::uint8_t U8(std::size_t at) const { return *Check(at, 1); }
    std::uint16_t U16(std::size_t at) const { return Le16(Check(at, 2)); }
    std::uint32_t U32(std::size_t at) const { return Le32(Check(at, 4)); }
    // A count that the format keeps in one byte (Jet 3) or two (Jet 4).
    std::uint16_t Count(std::size_t at, std::size_t size) const
    {
        return size == 1 ? U8(at) : U16(at);
    }
    std::string_view Bytes(std::size_t at, std::size_t size) const
    {
        return {reinterpret_cast<const char*>(Check(at, size)), size};
    }

private:
    const unsigned char* Check(std::size_t at, std::size_t size) const
    {
        if (at > bytes_.size() || size > bytes_.size() - at)
            place_.Fail("a read of " + std::to_string(size) + " bytes at " + std::to_string(at) +
                        " runs past the page");
        return bytes_.data() + at;
    }

    std::span<const unsigned char> bytes_;
    Place place_;
};

} // namespace jet
