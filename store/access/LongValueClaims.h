#pragma once

#include "store/access/Unreadable.h"

#include <cstdint>
#include <vector>

namespace jet {

// The long-value rows that the values of one table have led to so far. Access
// gives every Memo or OLE value rows of its own; a file whose rows share one
// is damaged, and reading it would repeat the value for every row that points
// at it (a small file could so make an answer of any size).
//
// One bit per row a page can hold: 32 bytes for each page of the file, made
// when the first value is claimed.
class LongValueClaims
{
public:
    explicit LongValueClaims(std::uint32_t pageCount) : pageCount_(pageCount) {}

    // Marks the long-value row (page number << 8 | row) as read; raises,
    // naming `place` and the page, when a value read before led to it.
    void Claim(std::uint32_t pointer, const Place& place);

private:
    std::uint32_t pageCount_;
    std::vector<std::uint64_t> claimed_;
};

} // namespace jet
