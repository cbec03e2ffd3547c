#pragma once

#include "store/access/JetFile.h"
#include "store/access/RowLayout.h"
#include "store/access/TableDefinition.h"
#include "store/access/Unreadable.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace jet {

// The rows of one table, read page after page in the order its usage map
// gives, never more than a few pages in memory.
class TableScan
{
public:
    // Reads the table's definition; raises when it cannot be read.
    TableScan(JetFile& file, std::string name, std::uint32_t definitionPage);

    const std::string& Name() const { return name_; }
    const TableDefinition& Definition() const { return definition_; }

    // `place` names the table and the row's page, for failures found in the
    // row's values (its long values are read through the file).
    using RowHandler = std::function<void(const std::vector<Field>& fields, const Place& place)>;
    // Hands every row to `row`, deleted rows skipped. Raises, naming the
    // table and the page, when a page or a row cannot be read, before any row
    // when the file is cut short within the table, and at the end when the
    // table's pages hold fewer rows than its definition counts.
    void ForEachRow(const RowHandler& row);

private:
    std::vector<std::uint32_t> DataPages();
    void CheckPointer(std::string_view row, const std::vector<std::uint32_t>& pages,
                      const Place& place) const;

    JetFile& file_;
    std::string name_;
    std::uint32_t definitionPage_;
    TableDefinition definition_;
};

} // namespace jet
