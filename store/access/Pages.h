#pragma once

#include "store/access/ByteSource.h"

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

namespace jet {

struct Page
{
    std::uint32_t number = 0;
    std::vector<unsigned char> bytes; // exactly one page
};
using PageRef = std::shared_ptr<const Page>;

// The pages of a file, read when asked for. A few recent ones are kept: a
// table is read page after page, with its long values on pages of their own,
// so memory stays at a few pages whatever the file's size.
class Pages
{
public:
    Pages(ByteSource& source, std::size_t pageSize);

    std::size_t PageSize() const { return pageSize_; }
    std::uint32_t Count() const { return count_; }
    bool Has(std::uint64_t number) const { return number < count_; }
    // The page; raises Unreadable when the file has no such page.
    PageRef Get(std::uint32_t number);

private:
    static constexpr std::size_t kKept = 16;

    ByteSource& source_;
    std::size_t pageSize_;
    std::uint32_t count_;
    std::list<PageRef> kept_; // most recently used first
};

} // namespace jet
