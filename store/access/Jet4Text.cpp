#include "store/access/Jet4Text.h"

#include "store/access/Utf8.h"

#include <cstdint>
#include <vector>

namespace jet {

namespace {
std::vector<std::uint16_t> Units(std::string_view stored)
{
    std::vector<std::uint16_t> units;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(stored[i]); };
    if (stored.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE) {
        bool compressed = true;
        std::size_t i = 2;
        while (i < stored.size()) {
            if (byte(i) == 0) {
                compressed = !compressed;
                ++i;
            } else if (compressed) {
                units.push_back(byte(i));
                ++i;
            } else if (i + 1 < stored.size()) {
                units.push_back(static_cast<std::uint16_t>(byte(i) | (byte(i + 1) << 8)));
                i += 2;
            } else {
                break;
            }
        }
        return units;
    }
    for (std::size_t i = 0; i + 1 < stored.size(); i += 2)
        units.push_back(static_cast<std::uint16_t>(byte(i) | (byte(i + 1) << 8)));
    return units;
}
} // namespace

std::string Jet4TextToUtf8(std::string_view stored)
{
    const std::vector<std::uint16_t> units = Units(stored);
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint32_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

} // namespace jet
