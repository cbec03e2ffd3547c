#include "store/access/JetFormat.h"

namespace jet {

namespace {
// Each place side by side: Jet 3's, then Jet 4's.
constexpr JetFormat Layout(JetVersion version)
{
    const auto pick = [version](std::size_t jet3, std::size_t jet4) {
        return version == JetVersion::Jet3 ? jet3 : jet4;
    };
    return {.version = version,
            .pageSize = pick(2048, 4096),
            .rowCountOffset = pick(8, 12),
            .countSize = pick(1, 2),
            .rowsOffset = pick(12, 16),
            .varColumnsOffset = pick(23, 43),
            .columnsOffset = pick(25, 45),
            .realIndexesOffset = pick(31, 51),
            .usageMapOffset = pick(35, 55),
            .firstEntryOffset = pick(43, 63),
            .realIndexEntrySize = pick(8, 12),
            .columnEntrySize = pick(18, 25),
            .nameLengthSize = pick(1, 2),
            .columnNumberAt = pick(1, 5),
            .varIndexAt = pick(3, 7),
            .flagsAt = pick(13, 15),
            .fixedOffsetAt = pick(14, 21),
            .sizeAt = pick(16, 23),
            .precisionAt = 11,
            .scaleAt = 12};
}

constexpr JetFormat kJet3 = Layout(JetVersion::Jet3);
constexpr JetFormat kJet4 = Layout(JetVersion::Jet4);
} // namespace

const JetFormat& JetFormat::Of(JetVersion version)
{
    return version == JetVersion::Jet3 ? kJet3 : kJet4;
}

} // namespace jet
