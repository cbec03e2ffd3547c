#include "store/access/Catalogue.h"

#include "store/access/PageView.h"
#include "store/access/TableScan.h"

#include <optional>

namespace jet {

namespace {
constexpr std::uint32_t kObjectsPage = 2;
constexpr char kObjects[] = "MSysObjects";
constexpr int kTypeMask = 0x7F; // the high bits of Type mark kinds of forms and reports

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::size_t ColumnNamed(const TableDefinition& definition, const std::string& name,
                        std::uint8_t type)
{
    for (std::size_t i = 0; i < definition.columns.size(); ++i) {
        const Column& column = definition.columns[i];
        if (!SameIgnoringAsciiCase(column.name, name))
            continue;
        if (column.type != type)
            Refuse("its column " + name + " has type " + std::to_string(column.type));
        return i;
    }
    Refuse("it has no column " + name);
}

// An integer column's value; NULL is 0.
std::uint32_t Number(const Field& field, std::size_t size, const Place& place)
{
    if (field.null)
        return 0;
    if (field.bytes.size() < size)
        Refuse("a value is shorter than its column's type");
    const PageView value(field.bytes, place);
    return size == 2 ? value.U16(0) : value.U32(0);
}
} // namespace

std::vector<CatalogueEntry> ReadCatalogue(JetFile& file)
{
    std::vector<CatalogueEntry> entries;
    try {
        TableScan objects(file, kObjects, kObjectsPage);
        const TableDefinition& definition = objects.Definition();
        const std::size_t id = ColumnNamed(definition, "Id", kLong);
        const std::size_t name = ColumnNamed(definition, "Name", kText);
        const std::size_t type = ColumnNamed(definition, "Type", kInteger);
        const std::size_t flags = ColumnNamed(definition, "Flags", kLong);
        objects.ForEachRow([&](const std::vector<Field>& fields, const Place& place) {
            CatalogueEntry entry;
            entry.name = fields[name].null ? std::string() : file.Text(fields[name].bytes);
            entry.definitionPage = Number(fields[id], 4, place) & 0x00FFFFFF;
            entry.type = static_cast<std::int16_t>(Number(fields[type], 2, place)) & kTypeMask;
            entry.flags = Number(fields[flags], 4, place);
            entries.push_back(std::move(entry));
        });
    } catch (const Unreadable& failure) {
        Refuse(std::string("its list of tables cannot be read: ") + failure.what());
    }
    // The list names itself, where it was read from; every table has a name.
    const CatalogueEntry* objects = FindTable(entries, kObjects);
    if (!objects || objects->definitionPage != kObjectsPage)
        Refuse("its list of tables is damaged (it does not list itself on page 2)");
    for (const CatalogueEntry& entry : entries)
        if (entry.IsTable() && entry.name.empty())
            Refuse("its list of tables is damaged (a table has no name)");
    return entries;
}

const CatalogueEntry* FindTable(const std::vector<CatalogueEntry>& entries, const std::string& name)
{
    const CatalogueEntry* caseless = nullptr;
    for (const CatalogueEntry& entry : entries) {
        if (!entry.IsTable())
            continue;
        if (entry.name == name)
            return &entry;
        if (!caseless && SameIgnoringAsciiCase(entry.name, name))
            caseless = &entry;
    }
    return caseless;
}

} // namespace jet
