#include "store/access/LongValueClaims.h"

#include <string>

namespace jet {

namespace {
constexpr std::uint32_t kWordsPerPage = 256 / 64; // a row pointer's row is a byte
}

void LongValueClaims::Claim(std::uint32_t pointer, const Place& place)
{
    const std::uint32_t page = pointer >> 8;
    if (page >= pageCount_) // found by the caller already; nothing to remember
        return;
    if (claimed_.empty())
        claimed_.assign(std::size_t{pageCount_} * kWordsPerPage, 0);
    const std::size_t bit = std::size_t{page} * 256 + (pointer & 0xFF);
    std::uint64_t& word = claimed_[bit / 64];
    const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
    if (word & mask)
        place.Fail("the long value at page " + std::to_string(page) +
                   " is shared by two rows, which Access never does: the file is damaged");
    word |= mask;
}

} // namespace jet
