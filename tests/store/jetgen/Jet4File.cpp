#include "tests/store/jetgen/Jet4File.h"

#include "tests/store/jetgen/Jet4Encoding.h"
#include "tests/store/jetgen/Jet4Page.h"
#include "tests/store/jetgen/Jet4Table.h"

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>

namespace jetgen {

namespace {
constexpr std::uint32_t kCatalogueDefinition = 2; // MSysObjects' definition page
constexpr std::uint32_t kGlobalUsagePage = 1;     // its first row: 1 = free, 0 = in use
constexpr std::int64_t kTablesFolder = 0x0F000001;
constexpr double kCreated = 45292.5;      // 2024-01-01 12:00
constexpr std::size_t kInlineLimit = 256; // longer long values go on pages of their own
constexpr std::size_t kChainPieceBytes = kMaxRowBytes - 4;
constexpr std::uint32_t kInlineMapPages = 64 * 8;
constexpr std::uint32_t kBitmapPagePages = (kPageSize - 4) * 8;
constexpr std::uint32_t kBitmapPagePointers = 17;

std::uint32_t Pointer(std::uint32_t page, std::uint8_t row)
{
    return page << 8 | row;
}

std::string BlankPage()
{
    return std::string(kPageSize, '\0');
}

// The pages of the file being written.
class File
{
public:
    File()
    {
        std::ifstream in(TAVRIN_JETGEN_TEMPLATE, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        if (bytes.size() < 19 * kPageSize || bytes.size() % kPageSize != 0 || bytes[0x14] != 1)
            throw std::runtime_error("the empty Jet 4 database " TAVRIN_JETGEN_TEMPLATE
                                     " cannot be read");
        for (std::size_t at = 0; at < bytes.size(); at += kPageSize)
            pages_.push_back(bytes.substr(at, kPageSize));
        first_ = Count();
    }

    std::uint32_t Add(std::string page)
    {
        pages_.push_back(std::move(page));
        return Count() - 1;
    }
    std::string& operator[](std::uint32_t page) { return pages_.at(page); }
    std::uint32_t Count() const { return static_cast<std::uint32_t>(pages_.size()); }

    // Marks the pages added as in use in the global usage map, as far as it
    // reaches.
    void MarkAddedPagesUsed()
    {
        std::string& page = pages_[kGlobalUsagePage];
        const std::uint32_t row = GetLe(page, 14, 2) & 0x1FFF;
        if (page[row] != 0)
            return;
        const std::uint32_t start = GetLe(page, row + 1, 4);
        for (std::uint32_t p = first_; p < Count() && p - start < kInlineMapPages; ++p)
            page[row + 5 + (p - start) / 8] &= static_cast<char>(~(1 << ((p - start) % 8)));
    }

    void Save(const std::string& path) const
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (const std::string& page : pages_)
            out << page;
        if (!out.flush())
            throw std::runtime_error("cannot write " + path);
    }

private:
    std::vector<std::string> pages_;
    std::uint32_t first_ = 0;
};

// A row page being filled, and where it goes in the file.
struct OpenPage
{
    std::uint32_t number;
    RowPage page;
};

// Memo and OLE data: in the row when short, else a row of a long-value page,
// else a chain of long-value pages.
class LongValues
{
public:
    LongValues(File& file, bool share) : file_(file), share_(share) {}
    ~LongValues() { Close(); }
    LongValues(const LongValues&) = delete;
    LongValues& operator=(const LongValues&) = delete;

    std::string Field(const std::string& data)
    {
        std::string field;
        if (data.size() <= kInlineLimit) {
            PutLe(field, data.size() | 0x80000000, 4);
            PutLe(field, 0, 8);
            return field + data;
        }
        if (data.size() >= (std::size_t{1} << 24))
            throw std::invalid_argument("a long value of 16 MB or more");
        if (share_)
            if (const auto written = shared_.find(data); written != shared_.end())
                return written->second;
        PutLe(field, data.size() | (data.size() <= kMaxRowBytes ? 0x40000000 : 0), 4);
        PutLe(field, data.size() <= kMaxRowBytes ? OnePage(data) : Chain(data), 4);
        PutLe(field, 0, 4);
        if (share_)
            shared_.emplace(data, field);
        return field;
    }

    void Close()
    {
        if (open_)
            file_[open_->number] = open_->page.Bytes();
        open_.reset();
    }

private:
    std::uint32_t OnePage(const std::string& data)
    {
        if (!open_ || !open_->page.Fits(data.size())) {
            Close();
            open_ = std::make_unique<OpenPage>(
                OpenPage{file_.Add(BlankPage()), RowPage(kLongValueOwner)});
        }
        return Pointer(open_->number, open_->page.Add(data));
    }

    // Pieces of a page each, each led by the pointer to the next (0 at the end).
    std::uint32_t Chain(const std::string& data)
    {
        std::vector<std::uint32_t> pages;
        for (std::size_t at = 0; at < data.size(); at += kChainPieceBytes)
            pages.push_back(file_.Add(BlankPage()));
        for (std::size_t k = 0; k < pages.size(); ++k) {
            std::string piece;
            PutLe(piece, k + 1 < pages.size() ? Pointer(pages[k + 1], 0) : 0, 4);
            piece += data.substr(k * kChainPieceBytes, kChainPieceBytes);
            RowPage page(kLongValueOwner);
            page.Add(piece);
            file_[pages[k]] = page.Bytes();
        }
        return Pointer(pages.front(), 0);
    }

    File& file_;
    std::unique_ptr<OpenPage> open_;
    bool share_;
    std::map<std::string, std::string> shared_; // data, its field
};

struct WrittenTable
{
    std::uint32_t definition = 0;
    std::vector<std::uint32_t> dataPages;
    std::uint32_t rows = 0;
};

WrittenTable WriteRows(File& file, const Table& table, const Layout& layout)
{
    WrittenTable written;
    written.definition = file.Add(BlankPage()); // filled in when its maps are placed
    LongValues longValues(file, table.shareLongValues);
    const LongValueStore store = [&longValues](const std::string& data) {
        return longValues.Field(data);
    };
    std::unique_ptr<OpenPage> data;
    const auto openPage = [&] {
        if (data)
            file[data->number] = data->page.Bytes();
        data = std::make_unique<OpenPage>(
            OpenPage{file.Add(BlankPage()), RowPage(written.definition)});
        written.dataPages.push_back(data->number);
    };
    for (std::size_t i = 0; i < table.rows; ++i) {
        const Row row = table.row(i);
        const std::string bytes = EncodeRow(table.columns, layout, row, store);
        std::uint16_t flags = row.deleted ? kDeletedRow : 0;
        if (row.overflow && !row.deleted) {
            if (!data || !data->page.Fits(4))
                openPage();
            std::string pointer;
            PutLe(pointer, Pointer(file.Count(), 0), 4); // the page opened next
            data->page.Add(pointer, static_cast<std::uint16_t>(flags | kOverflowPointer));
            openPage();
            flags |= kOverflowRow;
        } else if (!data || !data->page.Fits(bytes.size())) {
            openPage();
        }
        data->page.Add(bytes, flags);
        written.rows += row.deleted ? 0 : 1;
    }
    if (data)
        file[data->number] = data->page.Bytes();
    return written;
}

// A usage map: a bitmap of the 512 pages from the first when they fit in it,
// otherwise pointers to bitmap pages, each mapping 32736 pages.
std::string UsageMap(File& file, const std::vector<std::uint32_t>& pages)
{
    std::string map;
    const std::uint32_t first = pages.empty() ? 0 : pages.front();
    if (pages.empty() || pages.back() - first < kInlineMapPages) {
        map.push_back('\0');
        PutLe(map, first, 4);
        map.append(kInlineMapPages / 8, '\0');
        for (const std::uint32_t p : pages)
            map[5 + (p - first) / 8] |= static_cast<char>(1 << ((p - first) % 8));
        return map;
    }
    map.push_back('\1');
    map.append(4 * kBitmapPagePointers, '\0');
    std::map<std::uint32_t, std::uint32_t> bitmapPages;
    for (const std::uint32_t p : pages) {
        const std::uint32_t slot = p / kBitmapPagePages;
        if (slot >= kBitmapPagePointers)
            throw std::invalid_argument("a table beyond what a usage map reaches");
        if (!bitmapPages.contains(slot)) {
            std::string bitmap = BlankPage();
            bitmap[0] = 0x05;
            bitmap[1] = 0x01;
            bitmapPages[slot] = file.Add(bitmap);
            SetLe(map, 1 + 4 * slot, bitmapPages[slot], 4);
        }
        const std::uint32_t bit = p % kBitmapPagePages;
        file[bitmapPages[slot]][4 + bit / 8] |= static_cast<char>(1 << (bit % 8));
    }
    return map;
}

// The columns of MSysObjects in emptyJet4.mdb, in their order.
std::vector<Column> CatalogueColumns()
{
    return {{"Id", Type::Long},
            {"ParentId", Type::Long},
            {"Name", Type::Text, 255, false},
            {"Type", Type::Integer},
            {"DateCreate", Type::DateTime},
            {"DateUpdate", Type::DateTime},
            {"Owner", Type::Binary, 255},
            {"Flags", Type::Long},
            {"Database", Type::Memo},
            {"Connect", Type::Memo},
            {"ForeignName", Type::Text, 255},
            {"RmtInfoShort", Type::Binary, 255},
            {"RmtInfoLong", Type::Ole},
            {"Lv", Type::Ole},
            {"LvProp", Type::Ole},
            {"LvModule", Type::Ole},
            {"LvExtra", Type::Ole}};
}

void AddToCatalogue(File& file, const std::string& name, std::uint32_t definition)
{
    const std::vector<Column> columns = CatalogueColumns();
    Row row;
    row.values.resize(columns.size());
    row.values[0] = std::int64_t{definition};
    row.values[1] = kTablesFolder;
    row.values[2] = name;
    row.values[3] = std::int64_t{1}; // a table
    row.values[4] = kCreated;
    row.values[5] = kCreated;
    row.values[6] = std::string("\x06\xEA"); // the owner of the template's own tables
    row.values[7] = std::int64_t{0};         // a user table
    const std::string bytes = EncodeRow(columns, LayOut(columns), row, [](const std::string&) {
        return std::string(); // no long value
    });
    for (std::uint32_t p = 0; p < file.Count(); ++p) {
        std::string& page = file[p];
        if (page[0] != 0x01 || GetLe(page, 4, 4) != kCatalogueDefinition)
            continue;
        RowPage catalogue(page);
        if (!catalogue.Fits(bytes.size()))
            continue;
        catalogue.Add(bytes);
        page = catalogue.Bytes();
        std::string& objects = file[kCatalogueDefinition];
        SetLe(objects, 16, GetLe(objects, 16, 4) + 1, 4);
        return;
    }
    throw std::invalid_argument("no room for table '" + name + "' in the catalogue");
}
} // namespace

void WriteJet4File(const std::string& path, const std::vector<Table>& tables)
{
    File file;
    std::vector<Layout> layouts;
    std::vector<WrittenTable> written;
    for (const Table& table : tables) {
        layouts.push_back(LayOut(table.columns));
        written.push_back(WriteRows(file, table, layouts.back()));
    }
    // Each table's two usage maps (its pages, and those with room: the last)
    // go on pages of their own.
    std::unique_ptr<OpenPage> maps;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const std::vector<std::uint32_t>& pages = written[t].dataPages;
        const std::string used = UsageMap(file, pages);
        const std::string withRoom =
            UsageMap(file, pages.empty() ? pages : std::vector{pages.back()});
        if (!maps || !maps->page.Fits(used.size() + withRoom.size() + 2)) {
            if (maps)
                file[maps->number] = maps->page.Bytes();
            maps = std::make_unique<OpenPage>(OpenPage{file.Add(BlankPage()), RowPage(0)});
        }
        TablePlace place;
        place.rows = written[t].rows;
        place.usedPagesMap = Pointer(maps->number, maps->page.Add(used));
        place.freePagesMap = Pointer(maps->number, maps->page.Add(withRoom));
        file[written[t].definition] = TableDefinitionPage(tables[t].columns, layouts[t], place);
        AddToCatalogue(file, tables[t].name, written[t].definition);
    }
    if (maps)
        file[maps->number] = maps->page.Bytes();
    file.MarkAddedPagesUsed();
    file.Save(path);
}

} // namespace jetgen
