#include "show/HostColour.h"

#include "show/HostNameText.h"
#include "store/LayoutTable.h"

#include <cstdint>

namespace show {

std::optional<int> HostHue(const std::string& host)
{
    const std::string name = TrimHostName(host);
    if (name.empty() || name == store::kDefaultHostName)
        return std::nullopt;
    // FNV-1a: std::hash may differ between library versions.
    std::uint32_t hash = 2166136261u;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    // 24 hues, 15 degrees apart, tell neighbours apart better than 360.
    return static_cast<int>(hash % 24u) * 15;
}

} // namespace show
