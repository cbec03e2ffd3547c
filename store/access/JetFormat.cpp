#include "store/access/JetFormat.h"

namespace jet {

namespace {
constexpr JetFormat kJet3{.version = JetVersion::Jet3,
                          .pageSize = 2048,
                          .rowCountOffset = 8,
                          .countSize = 1,
                          .rowsOffset = 12,
                          .varColumnsOffset = 23,
                          .columnsOffset = 25,
                          .realIndexesOffset = 31,
                          .usageMapOffset = 35,
                          .firstEntryOffset = 43,
                          .realIndexEntrySize = 8,
                          .columnEntrySize = 18,
                          .nameLengthSize = 1,
                          .columnNumberAt = 1,
                          .varIndexAt = 3,
                          .flagsAt = 13,
                          .fixedOffsetAt = 14,
                          .sizeAt = 16,
                          .precisionAt = 11,
                          .scaleAt = 12};
constexpr JetFormat kJet4{.version = JetVersion::Jet4,
                          .pageSize = 4096,
                          .rowCountOffset = 12,
                          .countSize = 2,
                          .rowsOffset = 16,
                          .varColumnsOffset = 43,
                          .columnsOffset = 45,
                          .realIndexesOffset = 51,
                          .usageMapOffset = 55,
                          .firstEntryOffset = 63,
                          .realIndexEntrySize = 12,
                          .columnEntrySize = 25,
                          .nameLengthSize = 2,
                          .columnNumberAt = 5,
                          .varIndexAt = 7,
                          .flagsAt = 15,
                          .fixedOffsetAt = 21,
                          .sizeAt = 23,
                          .precisionAt = 11,
                          .scaleAt = 12};
} // namespace

const JetFormat& JetFormat::Of(JetVersion version)
{
    return version == JetVersion::Jet3 ? kJet3 : kJet4;
}

} // namespace jet
