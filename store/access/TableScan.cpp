#include "store/access/TableScan.h"

#include "store/access/DataPage.h"
#include "store/access/PageView.h"
#include "store/access/UsageMap.h"

#include <algorithm>

namespace jet {

TableScan::TableScan(JetFile& file, std::string name, std::uint32_t definitionPage)
    : file_(file), name_(std::move(name)), definitionPage_(definitionPage),
      definition_(ReadTableDefinition(file.GetPages(), file.Format(), definitionPage, name_,
                                      file.Decoder()))
{
}

std::vector<std::uint32_t> TableScan::DataPages()
{
    const Place here{name_, definitionPage_};
    const PointedRow map =
        FindRow(file_.GetPages(), file_.Format(), definition_.usageMap, here, "the usage map");
    UsedPages used =
        ReadUsageMap(map.bytes, file_.GetPages(), file_.Format(), Place{name_, map.page->number});
    if (used.missing != 0)
        Place{name_, used.missing}.Fail(
            "the page lies past the end of the file, which is cut short: only part of the " +
            std::to_string(definition_.rowCount) + " rows can be read");
    return std::move(used.pages);
}

// A row that moved to another page leaves a pointer to it behind; the row is
// read where it lies now, in the order of that page.
void TableScan::CheckPointer(std::string_view row, const std::vector<std::uint32_t>& pages,
                             const Place& place) const
{
    if (row.size() < 4)
        place.Fail("a moved row's pointer is cut short");
    const std::uint32_t target = PageView(row, place).U32(0) >> 8;
    if (!std::binary_search(pages.begin(), pages.end(), target))
        place.Fail("a moved row points at page " + std::to_string(target) +
                   ", which is not one of the table's pages");
}

void TableScan::ForEachRow(const RowHandler& row)
{
    const std::vector<std::uint32_t> pages = DataPages();
    std::vector<Field> fields;
    std::uint64_t read = 0;
    for (const std::uint32_t number : pages) {
        const PageRef page = file_.GetPages().Get(number);
        // A usage map may mark pages that now serve another table: they are
        // passed over.
        if (!DataPage::IsData(*page) || DataPage::OwnerOf(*page) != definitionPage_)
            continue;
        const Place place{name_, number};
        const DataPage data(page, file_.Format(), place);
        for (unsigned i = 0; i < data.RowCount(); ++i) {
            const RowSlot slot = data.Row(i);
            if (slot.IsGone() && !slot.IsPointer())
                continue;
            if (!slot.onPage || slot.Size() == 0)
                place.Fail("row " + std::to_string(i) + " lies outside its page");
            if (slot.IsPointer()) {
                CheckPointer(data.Bytes(slot), pages, place);
                continue;
            }
            SplitRow(data.Bytes(slot), definition_, file_.Format(), place, fields);
            row(fields, place);
            ++read;
        }
    }
    if (read < definition_.rowCount)
        Refuse("only " + std::to_string(read) + " of the " + std::to_string(definition_.rowCount) +
               " rows of table '" + name_ + "' can be read");
}

} // namespace jet
