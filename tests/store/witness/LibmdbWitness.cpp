// The libmdb reader as Tavrin's reader process ran it before Tavrin read
// Access files itself, kept to witness the new reader's answers in the tests.
#include "tests/store/witness/LibmdbWitness.h"

#include "store/ComError.h"
#include "store/access/Jet4Text.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <sys/stat.h>
#include <vector>

// glib first: mdbtools.h uses its types without including it in C++.
// clang-format off
#include <glib.h>
#include <mdbtools.h>
// clang-format on

namespace witness {

using jet::Jet4TextToUtf8;
using mdbreader::AnswerWriter;

namespace {
// The file cannot be read as asked; the text says why, for the user.
[[noreturn]] void Refuse(const std::string& why)
{
    throw ado::_com_error(ado::E_FAIL, "Access database reader", why);
}

using mdbproto::AccessType;

constexpr int kRowOffsetMask = 0x1FFF; // the flags above it mark deleted rows
constexpr std::uint32_t kLongValueInline = 0x80000000;
constexpr std::uint32_t kLongValueOnePage = 0x40000000;
constexpr std::uint32_t kLongValueLengthMask = 0x3FFFFFFF;
constexpr std::uint32_t kMaxLongValueBytes = std::uint32_t{256} << 20;

struct HandleClose
{
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
using Handle = std::unique_ptr<MdbHandle, HandleClose>;

struct TableFree
{
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using TableDef = std::unique_ptr<MdbTableDef, TableFree>;

std::uint32_t Le16(const unsigned char* p)
{
    return p[0] | (std::uint32_t{p[1]} << 8);
}
std::uint32_t Le32(const unsigned char* p)
{
    return p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}
std::uint64_t Le64(const unsigned char* p)
{
    return Le32(p) | (std::uint64_t{Le32(p + 4)} << 32);
}

std::string NameOf(const char* name, std::size_t capacity)
{
    return std::string(name, strnlen(name, capacity));
}

bool IsJet3(const MdbHandle* mdb)
{
    return mdb->f->jet_version == MDB_VER_JET3;
}

MdbCatalogEntry* FindTable(MdbHandle* mdb, const std::string& name)
{
    MdbCatalogEntry* caseless = nullptr;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type != MDB_TABLE)
            continue;
        const std::string entryName = NameOf(entry->object_name, sizeof entry->object_name);
        if (entryName == name)
            return entry;
        if (!caseless && g_ascii_strcasecmp(entryName.c_str(), name.c_str()) == 0)
            caseless = entry;
    }
    return caseless;
}

// Counts the rows libmdb can reach, with no value read.
unsigned CountRows(MdbTableDef* table)
{
    unsigned count = 0;
    mdb_rewind_table(table);
    while (mdb_fetch_row(table))
        ++count;
    return count;
}

// libmdb reads a file cut short without a word: pages past the end simply
// end a table early, the list of tables included. Such a file is refused.
void CheckComplete(MdbHandle* mdb, const std::string& path)
{
    struct stat info
    {
    };
    const auto pageSize = static_cast<off_t>(mdb->fmt->pg_size);
    if (::stat(path.c_str(), &info) != 0 || pageSize <= 0 || info.st_size % pageSize != 0)
        Refuse("the file is cut short (it does not end on a page boundary)");
    MdbCatalogEntry* objects = FindTable(mdb, "MSysObjects");
    if (!objects)
        Refuse("its list of tables is missing");
    TableDef table(mdb_read_table(objects));
    if (!table || !mdb_read_columns(table.get()) || table->num_cols == 0)
        Refuse("its list of tables cannot be read");
    if (CountRows(table.get()) < table->num_rows)
        Refuse("its list of tables is cut short");
}

Handle OpenFile(const std::string& path)
{
    Handle mdb(mdb_open(path.c_str(), MDB_NOFLAGS));
    if (!mdb)
        Refuse("it is not an Access file, or its first page is damaged");
    if (!mdb_read_catalog(mdb.get(), MDB_ANY))
        Refuse("its list of tables cannot be read");
    CheckComplete(mdb.get(), path);
    return mdb;
}

AccessType TypeOf(const MdbColumn* column)
{
    switch (column->col_type) {
    case MDB_BOOL:
        return AccessType::Boolean;
    case MDB_BYTE:
        return AccessType::Byte;
    case MDB_INT:
        return AccessType::Integer;
    case MDB_LONGINT:
        return AccessType::Long;
    case MDB_MONEY:
        return AccessType::Currency;
    case MDB_FLOAT:
        return AccessType::Single;
    case MDB_DOUBLE:
        return AccessType::Double;
    case MDB_DATETIME:
        return AccessType::DateTime;
    case MDB_TEXT:
        return AccessType::Text;
    case MDB_OLE:
        return AccessType::OleObject;
    case MDB_MEMO:
        return AccessType::Memo;
    case MDB_REPID:
        return AccessType::ReplicationId;
    case MDB_NUMERIC:
        return AccessType::Numeric;
    case MDB_COMPLEX:
        return AccessType::Complex;
    default: // binary, and kinds this reader does not know: passed on as bytes
        return AccessType::Binary;
    }
}

std::uint32_t WidthOf(const MdbHandle* mdb, const MdbColumn* column)
{
    const auto size = static_cast<std::uint32_t>(column->col_size > 0 ? column->col_size : 0);
    switch (TypeOf(column)) {
    case AccessType::Text:
        return IsJet3(mdb) ? size : size / 2; // Jet 4 counts UTF-16 bytes
    case AccessType::Binary:
        return size;
    default:
        return 0;
    }
}

// The part of a data or long-value page that one value occupies.
struct Bytes
{
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    std::string_view View() const { return {reinterpret_cast<const char*>(data), size}; }
};

// Reads one value of the table being read from the page in memory.
class ValueReader
{
public:
    explicit ValueReader(MdbHandle* mdb)
        : mdb_(mdb), pageSize_(static_cast<std::size_t>(mdb->fmt->pg_size))
    {
    }

    void Write(const MdbColumn* column, const MdbField* field, AnswerWriter& out);

private:
    Bytes Stored(const MdbField& field) const;
    Bytes LongValuePiece(std::uint32_t pageRow) const;
    std::string LongValue(Bytes stored) const;
    std::string Text(std::string_view stored) const;
    // The value's bytes, at least `size` of them.
    static const unsigned char* Need(Bytes stored, std::size_t size);

    MdbHandle* mdb_;
    std::size_t pageSize_;
};

Bytes ValueReader::Stored(const MdbField& field) const
{
    if (field.start < 0 || field.siz < 0 ||
        static_cast<std::size_t>(field.start) + static_cast<std::size_t>(field.siz) > pageSize_)
        Refuse("a row lies outside its page");
    return {mdb_->pg_buf + field.start, static_cast<std::size_t>(field.siz)};
}

const unsigned char* ValueReader::Need(Bytes stored, std::size_t size)
{
    if (stored.size < size)
        Refuse("a value is shorter than its column's type");
    return stored.data;
}

Bytes ValueReader::LongValuePiece(std::uint32_t pageRow) const
{
    void* page = nullptr;
    int start = 0;
    size_t size = 0;
    if (mdb_find_pg_row(mdb_, static_cast<int>(pageRow), &page, &start, &size) != 0 || !page ||
        start < 0 || static_cast<std::size_t>(start) + size > pageSize_)
        Refuse("a Memo or OLE value points at a page that is not there");
    return {static_cast<const unsigned char*>(page) + start, size};
}

// Memo and OLE values: a 12-byte header, the data inline or on long-value
// pages (one, or a chain of them).
std::string ValueReader::LongValue(Bytes stored) const
{
    if (stored.size == 0)
        return {};
    if (stored.size < MDB_MEMO_OVERHEAD)
        Refuse("a Memo or OLE value is damaged");
    const std::uint32_t header = Le32(stored.data);
    const std::uint32_t length = header & kLongValueLengthMask;
    if (length > kMaxLongValueBytes)
        Refuse("a Memo or OLE value is too large (" + std::to_string(length) + " bytes)");
    if (header & kLongValueInline)
        return std::string(stored.View().substr(MDB_MEMO_OVERHEAD));
    const std::uint32_t first = Le32(stored.data + 4);
    if (header & kLongValueOnePage)
        return std::string(LongValuePiece(first).View());
    if ((header & 0xFF000000) != 0)
        Refuse("a Memo or OLE value is damaged");

    std::string value;
    value.reserve(length);
    for (std::uint32_t next = first; next != 0 && value.size() < length;) {
        const Bytes piece = LongValuePiece(next);
        if (piece.size <= 4) // an empty link would never end the chain
            Refuse("a Memo or OLE value is damaged");
        next = Le32(piece.data);
        value.append(piece.View().substr(4, length - value.size()));
    }
    if (value.size() != length)
        Refuse("a Memo or OLE value is cut short");
    return value;
}

std::string ValueReader::Text(std::string_view stored) const
{
    if (!IsJet3(mdb_))
        return Jet4TextToUtf8(stored);
    if (stored.empty())
        return {};
    // Jet 3 texts are in the file's code page; libmdb converts them. A byte
    // never needs more than four bytes of UTF-8.
    std::string text(stored.size() * 4 + 8, '\0');
    const int length =
        mdb_unicode2ascii(mdb_, stored.data(), stored.size(), text.data(), text.size() - 1);
    text.resize(length > 0 ? std::min(static_cast<std::size_t>(length), text.size() - 1) : 0);
    return text;
}

void ValueReader::Write(const MdbColumn* column, const MdbField* field, AnswerWriter& out)
{
    const AccessType type = TypeOf(column);
    if (type == AccessType::Boolean) {
        // A Yes/No value is its bit in the row's NULL mask.
        out.U8(1);
        out.U8(field && !field->is_null ? 1 : 0);
        return;
    }
    if (!field || field->is_null) {
        out.U8(0);
        return;
    }
    const Bytes stored = Stored(*field);
    out.U8(1);
    switch (type) {
    case AccessType::Byte:
        out.U8(*Need(stored, 1));
        break;
    case AccessType::Integer:
        out.U16(static_cast<std::uint16_t>(Le16(Need(stored, 2))));
        break;
    case AccessType::Long:
    case AccessType::Complex:
    case AccessType::Single:
        out.U32(Le32(Need(stored, 4)));
        break;
    case AccessType::Currency:
    case AccessType::Double:
    case AccessType::DateTime:
        out.U64(Le64(Need(stored, 8)));
        break;
    case AccessType::Numeric: {
        // A sign byte, then four 32-bit words, most significant first.
        const unsigned char* p = Need(stored, 17);
        if (Le32(p + 1) != 0)
            Refuse("a Numeric value has more than 28 digits");
        out.U8(p[0] & 0x80);
        out.U32(Le32(p + 5));
        out.U64((std::uint64_t{Le32(p + 9)} << 32) | Le32(p + 13));
        break;
    }
    case AccessType::ReplicationId:
        out.Guid(Need(stored, 16));
        break;
    case AccessType::Text:
        out.Text(Text(stored.View()));
        break;
    case AccessType::Memo:
        out.Text(Text(LongValue(stored)));
        break;
    case AccessType::OleObject:
        out.Text(LongValue(stored));
        break;
    default:
        out.Text(stored.View());
        break;
    }
}

void WriteColumns(MdbHandle* mdb, const MdbTableDef* table, AnswerWriter& out)
{
    out.U32(table->num_cols);
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        out.Text(NameOf(column->name, sizeof column->name));
        out.U8(static_cast<std::uint8_t>(TypeOf(column)));
        out.U32(WidthOf(mdb, column));
        // libmdb names the two bytes the other way round: its col_scale holds
        // the precision and col_prec the scale (mdb-schema prints them so).
        // The reader this witness was copied from took the names at their word.
        out.U8(static_cast<std::uint8_t>(column->col_scale));
        out.U8(static_cast<std::uint8_t>(column->col_prec));
    }
}

void WriteRows(MdbHandle* mdb, MdbTableDef* table, AnswerWriter& out)
{
    const unsigned count = table->num_cols;
    std::vector<MdbField> fields(count);
    std::vector<const MdbField*> byColumn(count);
    ValueReader values(mdb);
    unsigned read = 0;
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
        ++read;
        // libmdb has found the row on the page in memory; crack it again to
        // see each field's bytes and NULL flag.
        int start = 0;
        size_t size = 0;
        if (table->cur_row == 0 ||
            mdb_find_row(mdb, static_cast<int>(table->cur_row - 1), &start, &size) != 0)
            Refuse("a row cannot be found again on its page");
        start &= kRowOffsetMask;
        std::memset(fields.data(), 0, fields.size() * sizeof(MdbField));
        if (mdb_crack_row(table, start, size, fields.data()) < 0)
            Refuse("a row is damaged");
        std::fill(byColumn.begin(), byColumn.end(), nullptr);
        for (const MdbField& field : fields)
            if (field.colnum >= 0 && static_cast<unsigned>(field.colnum) < count)
                byColumn[static_cast<unsigned>(field.colnum)] = &field;

        out.BeginRow();
        for (unsigned i = 0; i < count; ++i)
            values.Write(static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i)),
                         byColumn[i], out);
        out.EndRow();
    }
    // libmdb ends a table quietly at a page it cannot read (a file cut
    // short): the count kept in the table's definition shows what is missing.
    if (read < table->num_rows)
        Refuse("only " + std::to_string(read) + " of the " + std::to_string(table->num_rows) +
               " rows of table '" + NameOf(table->name, sizeof table->name) + "' can be read");
    out.U8(mdbproto::kRowsEnd);
}
} // namespace

void WriteCatalogue(const std::string& path, AnswerWriter& out)
{
    Handle mdb = OpenFile(path);
    AnswerWriter::Tables tables;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        // Saved queries, forms and links are left out: they cannot be opened
        // as tables here.
        if (entry->object_type != MDB_TABLE)
            continue;
        tables.emplace_back(NameOf(entry->object_name, sizeof entry->object_name),
                            mdb_is_system_table(entry) ? mdbproto::ObjectKind::SystemTable
                                                       : mdbproto::ObjectKind::UserTable);
    }
    out.Catalogue(tables);
}

void WriteTable(const std::string& path, const std::string& name, AnswerWriter& out)
{
    Handle mdb = OpenFile(path);
    MdbCatalogEntry* entry = FindTable(mdb.get(), name);
    if (!entry)
        Refuse("it has no table '" + name + "'");
    TableDef table(mdb_read_table(entry));
    if (!table)
        Refuse("the table '" + name + "' cannot be read");
    if (!mdb_read_columns(table.get()) || table->num_cols == 0 || !table->columns ||
        table->columns->len < table->num_cols)
        Refuse("the columns of table '" + name + "' cannot be read");

    out.Begin(mdbproto::Answer::Table);
    out.Text(NameOf(table->name, sizeof table->name));
    WriteColumns(mdb.get(), table.get(), out);
    WriteRows(mdb.get(), table.get(), out);
}

} // namespace witness
