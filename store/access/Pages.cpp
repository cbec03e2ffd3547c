#include "store/access/Pages.h"

#include "store/access/Unreadable.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace jet {

Pages::Pages(ByteSource& source, std::size_t pageSize)
    : source_(source), pageSize_(pageSize),
      count_(
          static_cast<std::uint32_t>(std::min<std::uint64_t>(source.Size() / pageSize, UINT32_MAX)))
{
}

PageRef Pages::Get(std::uint32_t number)
{
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
        if ((*it)->number != number)
            continue;
        PageRef page = *it;
        kept_.splice(kept_.begin(), kept_, it);
        return page;
    }
    if (!Has(number))
        Refuse("page " + std::to_string(number) + " lies past the end of the file (it has " +
               std::to_string(count_) + " pages)");
    auto page = std::make_shared<Page>();
    page->number = number;
    page->bytes.resize(pageSize_);
    source_.Read(std::uint64_t{number} * pageSize_, pageSize_, page->bytes.data());
    kept_.push_front(page);
    if (kept_.size() > kKept)
        kept_.pop_back();
    return page;
}

} // namespace jet
