// The reader's answers, made from Tavrin's own Access file reader
// (store/access). It runs inside the reader process, which stays a second
// wall around it: whatever a damaged file does to it, the process that
// started it survives.
#include "store/mdbreader/MdbReader.h"

#include "store/access/Catalogue.h"
#include "store/access/JetFile.h"
#include "store/access/LittleEndian.h"
#include "store/access/LongValue.h"
#include "store/access/TableScan.h"
#include "store/access/Unreadable.h"

#include <utility>
#include <vector>

namespace mdbreader {

namespace {
using jet::Le16;
using jet::Le32;
using jet::Le64;
using mdbproto::AccessType;

// The types the answer passes on as they are: Jet's number for each on disk
// and the answer's. The answer numbers types as Jet does, which the
// assertion below holds to.
constexpr std::pair<jet::ColumnType, AccessType> kPassedTypes[] = {
    {jet::kBoolean, AccessType::Boolean},   {jet::kByte, AccessType::Byte},
    {jet::kInteger, AccessType::Integer},   {jet::kLong, AccessType::Long},
    {jet::kCurrency, AccessType::Currency}, {jet::kSingle, AccessType::Single},
    {jet::kDouble, AccessType::Double},     {jet::kDateTime, AccessType::DateTime},
    {jet::kText, AccessType::Text},         {jet::kOle, AccessType::OleObject},
    {jet::kMemo, AccessType::Memo},         {jet::kReplicationId, AccessType::ReplicationId},
    {jet::kNumeric, AccessType::Numeric},   {jet::kComplex, AccessType::Complex}};

constexpr bool NumberingsAgree()
{
    for (const auto& [jetType, answerType] : kPassedTypes)
        if (static_cast<std::uint8_t>(jetType) != static_cast<std::uint8_t>(answerType))
            return false;
    return static_cast<std::uint8_t>(jet::kBinary) == static_cast<std::uint8_t>(AccessType::Binary);
}
static_assert(NumberingsAgree(), "Jet's column type numbers and the answer's agree");

// Every text written fits what the caller reads (MdbReaderProtocol.h).
static_assert(mdbproto::kMaxTextBytes >= 3 * std::uint64_t{jet::kMaxLongValueBytes});

AccessType TypeOf(const jet::Column& column)
{
    for (const auto& [jetType, answerType] : kPassedTypes)
        if (column.type == jetType)
            return answerType;
    return AccessType::Binary; // binary, and kinds this reader does not know: passed on as bytes
}

std::uint32_t WidthOf(const jet::JetFile& file, const jet::Column& column)
{
    switch (TypeOf(column)) {
    case AccessType::Text: // Jet 4 counts UTF-16 bytes
        return file.Format().version == jet::JetVersion::Jet3 ? column.size : column.size / 2u;
    case AccessType::Binary:
        return column.size;
    default:
        return 0;
    }
}

// Writes the values of one table's rows in the protocol's forms. Each long
// value is read once: rows that share one are refused (LongValueClaims.h).
class ValueWriter
{
public:
    explicit ValueWriter(jet::JetFile& file) : file_(file), claims_(file.GetPages().Count()) {}

    void Write(const jet::Column& column, const jet::Field& field, const jet::Place& place,
               AnswerWriter& out);

private:
    static const unsigned char* Need(const jet::Field& field, std::size_t size,
                                     const jet::Place& place);
    std::string LongValue(const jet::Field& field, const jet::Place& place);

    jet::JetFile& file_;
    jet::LongValueClaims claims_;
};

const unsigned char* ValueWriter::Need(const jet::Field& field, std::size_t size,
                                       const jet::Place& place)
{
    if (field.bytes.size() < size)
        place.Fail("a value is shorter than its column's type");
    return reinterpret_cast<const unsigned char*>(field.bytes.data());
}

std::string ValueWriter::LongValue(const jet::Field& field, const jet::Place& place)
{
    return jet::ReadLongValue(field.bytes, file_.GetPages(), file_.Format(), place, &claims_);
}

void ValueWriter::Write(const jet::Column& column, const jet::Field& field, const jet::Place& place,
                        AnswerWriter& out)
{
    const AccessType type = TypeOf(column);
    if (type == AccessType::Boolean) {
        // A Yes/No value is its bit in the row's NULL mask.
        out.U8(1);
        out.U8(field.null ? 0 : 1);
        return;
    }
    if (field.null) {
        out.U8(0);
        return;
    }
    out.U8(1);
    switch (type) {
    case AccessType::Byte:
        out.U8(*Need(field, 1, place));
        break;
    case AccessType::Integer:
        out.U16(Le16(Need(field, 2, place)));
        break;
    case AccessType::Long:
    case AccessType::Complex:
    case AccessType::Single:
        out.U32(Le32(Need(field, 4, place)));
        break;
    case AccessType::Currency:
    case AccessType::Double:
    case AccessType::DateTime:
        out.U64(Le64(Need(field, 8, place)));
        break;
    case AccessType::Numeric: {
        // A sign byte, then four 32-bit words, most significant first.
        const unsigned char* p = Need(field, 17, place);
        if (Le32(p + 1) != 0)
            place.Fail("a Numeric value of column '" + column.name + "' has more than 28 digits");
        out.U8(p[0] & 0x80);
        out.U32(Le32(p + 5));
        out.U64((std::uint64_t{Le32(p + 9)} << 32) | Le32(p + 13));
        break;
    }
    case AccessType::ReplicationId:
        out.Guid(Need(field, 16, place));
        break;
    case AccessType::Text:
        out.Text(file_.Text(field.bytes));
        break;
    case AccessType::Memo:
        out.Text(file_.Text(LongValue(field, place)));
        break;
    case AccessType::OleObject:
        out.Text(LongValue(field, place));
        break;
    default:
        out.Text(field.bytes);
        break;
    }
}

void WriteColumns(const jet::JetFile& file, const jet::TableDefinition& definition,
                  AnswerWriter& out)
{
    out.U32(static_cast<std::uint32_t>(definition.columns.size()));
    for (const jet::Column& column : definition.columns) {
        out.Text(column.name);
        out.U8(static_cast<std::uint8_t>(TypeOf(column)));
        out.U32(WidthOf(file, column));
        out.U8(column.precision);
        out.U8(column.scale);
    }
}
} // namespace

void WriteCatalogueFrom(const std::vector<jet::CatalogueEntry>& catalogue, AnswerWriter& out)
{
    AnswerWriter::Tables tables;
    // Saved queries, forms and links are left out: they cannot be opened as
    // tables here.
    for (const jet::CatalogueEntry& entry : catalogue)
        if (entry.IsTable())
            tables.emplace_back(entry.name, entry.IsSystemTable()
                                                ? mdbproto::ObjectKind::SystemTable
                                                : mdbproto::ObjectKind::UserTable);
    out.Catalogue(tables);
}

void WriteTableFrom(jet::JetFile& file, const std::vector<jet::CatalogueEntry>& catalogue,
                    const std::string& name, AnswerWriter& out)
{
    const jet::CatalogueEntry* entry = jet::FindTable(catalogue, name);
    if (!entry)
        jet::Refuse("it has no table '" + name + "'");
    jet::TableScan table(file, entry->name, entry->definitionPage);

    out.Begin(mdbproto::Answer::Table);
    out.Text(table.Name());
    WriteColumns(file, table.Definition(), out);
    const std::vector<jet::Column>& columns = table.Definition().columns;
    ValueWriter values(file);
    table.ForEachRow([&](const std::vector<jet::Field>& fields, const jet::Place& place) {
        out.BeginRow();
        for (std::size_t i = 0; i < columns.size(); ++i)
            values.Write(columns[i], fields[i], place, out);
        out.EndRow();
    });
    out.U8(mdbproto::kRowsEnd);
}

void AnswerTableFrom(jet::JetFile& file, const std::vector<jet::CatalogueEntry>& catalogue,
                     const std::string& table, AnswerWriter& out)
{
    try {
        WriteTableFrom(file, catalogue, table, out);
        out.Finish();
    } catch (const jet::Unreadable& failure) {
        out.Fail(failure.what());
    }
}

void WriteCatalogue(const std::string& path, AnswerWriter& out)
{
    jet::FileSource source = jet::FileSource::Open(path);
    jet::JetFile file(source);
    WriteCatalogueFrom(jet::ReadCatalogue(file), out);
}

void WriteTable(const std::string& path, const std::string& table, AnswerWriter& out)
{
    jet::FileSource source = jet::FileSource::Open(path);
    jet::JetFile file(source);
    WriteTableFrom(file, jet::ReadCatalogue(file), table, out);
}

} // namespace mdbreader
