// Rows split into their columns' values, and long values over their pages,
// on hand-made bytes.
#include "store/access/LongValue.h"
#include "store/access/RowLayout.h"
#include "tests/store/access/JetBytes.h"

#include <gtest/gtest.h>

namespace {

using namespace jetbytes;
using namespace std::string_literals;
const jet::JetFormat& kJet4 = jet::JetFormat::Of(jet::JetVersion::Jet4);
const jet::JetFormat& kJet3 = jet::JetFormat::Of(jet::JetVersion::Jet3);

jet::Column Fixed(std::uint8_t type, std::uint8_t number, std::uint16_t offset, std::uint16_t size)
{
    jet::Column column;
    column.name = "c" + std::to_string(number);
    column.type = type;
    column.number = number;
    column.fixed = true;
    column.fixedOffset = offset;
    column.size = type == jet::kBoolean ? 0 : size;
    return column;
}

jet::Column Var(std::uint8_t type, std::uint8_t number, std::uint16_t index)
{
    jet::Column column = Fixed(type, number, 0, 0);
    column.fixed = false;
    column.varIndex = index;
    return column;
}

// ID Long, Done Yes/No, Name Text, Note Text.
jet::TableDefinition Table()
{
    jet::TableDefinition definition;
    definition.varColumnCount = 2;
    definition.columns = {Fixed(jet::kLong, 0, 0, 4), Fixed(jet::kBoolean, 1, 4, 0),
                          Var(jet::kText, 2, 0), Var(jet::kText, 3, 1)};
    return definition;
}

std::vector<jet::Field> Split(const std::string& row, const jet::TableDefinition& definition,
                              const jet::JetFormat& format = kJet4)
{
    std::vector<jet::Field> fields;
    jet::SplitRow(row, definition, format, {"T", 7}, fields);
    return fields;
}

TEST(RowLayout, Jet4RowsGiveFixedAndVariableValuesAndNulls)
{
    const std::string row = Row4(4, U32(42), {"ab", ""}, {true, true, true, false});
    const std::vector<jet::Field> fields = Split(row, Table());
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(fields[0].bytes, U32(42));
    EXPECT_FALSE(fields[1].null); // Yes
    EXPECT_EQ(fields[2].bytes, "ab");
    EXPECT_TRUE(fields[3].null);

    const std::string other = Row4(4, U32(1), {"", ""}, {true, false, true, true});
    const std::vector<jet::Field> no = Split(other, Table());
    EXPECT_TRUE(no[1].null); // No
    EXPECT_FALSE(no[2].null);
    EXPECT_EQ(no[2].bytes, ""); // an empty text, not NULL
}

TEST(RowLayout, ColumnsAddedAfterARowWasWrittenAreNullInIt)
{
    // Written when the table had ID, Done and Name only.
    const std::string row = Row4(3, U32(5), {"x"}, {true, true, true});
    const std::vector<jet::Field> fields = Split(row, Table());
    EXPECT_EQ(fields[2].bytes, "x");
    EXPECT_TRUE(fields[3].null);
}

TEST(RowLayout, ValuesOutsideTheRowAreCaughtNamingTheTableAndPage)
{
    std::string row = Row4(4, U32(42), {"ab", "cd"}, {true, true, true, true});
    row[row.size() - 9] = 100; // the end of the variable data, past the row
    EXPECT_EQ(FailureOf([&] { Split(row, Table()); }),
              "table 'T', page 7: a value of column 'c3' lies outside its row");
    EXPECT_EQ(FailureOf([&] { Split("\x09\x00\xFF"s, Table()); }),
              "table 'T', page 7: a row is too short for its 9 columns");
}

TEST(RowLayout, Jet3OffsetsPast256BytesUseTheJumpTable)
{
    // Count, a 2-byte Integer, two texts (250 and 20 bytes), the end 273,
    // the offsets 253 and 3 (one byte each), one jump naming offset 2 (the
    // end) as the first past 256, the variable count and the mask.
    jet::TableDefinition definition;
    definition.varColumnCount = 2;
    definition.columns = {Fixed(jet::kInteger, 0, 0, 2), Var(jet::kText, 1, 0),
                          Var(jet::kText, 2, 1)};
    const std::string row = "\x03"s + U16(7) + std::string(250, 'a') + std::string(20, 'b') +
                            "\x11\xFD\x03" + "\x02" + "\x02" + "\x07";
    ASSERT_EQ(row.size(), 279u);
    const std::vector<jet::Field> fields = Split(row, definition, kJet3);
    EXPECT_EQ(fields[0].bytes, U16(7));
    EXPECT_EQ(fields[1].bytes, std::string(250, 'a'));
    EXPECT_EQ(fields[2].bytes, std::string(20, 'b'));
}

// A file whose pages 1 and 2 hold long-value rows.
class LongValues : public ::testing::Test
{
protected:
    std::string Read(const std::string& header, jet::LongValueClaims* claims = nullptr)
    {
        jet::MemorySource source(bytes);
        jet::Pages pages(source, kPage);
        return jet::ReadLongValue(header, pages, kJet4, {"Notes", 9}, claims);
    }
    static std::string Header(std::uint32_t flagsAndLength, std::uint32_t pointer)
    {
        return U32(flagsAndLength) + U32(pointer) + U32(0);
    }

    // Page 1 row 0: the whole of a value; row 1: the first piece of a chain
    // that ends at page 2 row 0. Page 2 rows 1 and 2 point at each other.
    std::string bytes =
        File({std::string(kPage, '\0'),
              DataPage(LongValueOwner(), {{"whole", 0}, {U32(0x200) + "abc", 0}}),
              DataPage(LongValueOwner(),
                       {{U32(0) + "defg", 0}, {U32(0x202) + "x", 0}, {U32(0x201) + "y", 0}})});
};

TEST_F(LongValues, InlineOnePageAndChainedValuesAreRead)
{
    EXPECT_EQ(Read(Header(0x80000000 | 3, 0) + "hey"), "hey");
    EXPECT_EQ(Read(Header(0x40000000 | 5, 0x100)), "whole");
    EXPECT_EQ(Read(Header(7, 0x101)), "abcdefg");
    EXPECT_EQ(Read(""), "");
}

TEST_F(LongValues, BrokenChainsAreCaughtNamingTheTableAndPage)
{
    EXPECT_EQ(FailureOf([&] { Read(Header(9, 0x101)); }),
              "table 'Notes', page 9: a Memo or OLE value is cut short (7 of 9 bytes)");
    EXPECT_EQ(FailureOf([&] { Read(Header(100, 0x201)); }),
              "table 'Notes', page 9: a Memo or OLE value's chain of pages goes round in a loop");
    EXPECT_EQ(FailureOf([&] { Read(Header(0x40000000 | 5, 0x105)); }),
              "table 'Notes', page 9: a Memo or OLE value points at row 5 of page 1, which is "
              "not there");
    EXPECT_EQ(FailureOf([&] { Read(Header(0x40000000 | 5, 0x900)); }),
              "table 'Notes', page 9: a Memo or OLE value points at page 9, past the end of the "
              "file");
    EXPECT_EQ(FailureOf([&] { Read(Header(0x3FFFFFFF, 0x101)); }),
              "table 'Notes', page 9: a Memo or OLE value claims 1073741823 bytes, more than the "
              "file holds");
    EXPECT_EQ(FailureOf([&] { Read("short"); }),
              "table 'Notes', page 9: a Memo or OLE value is damaged (its header is cut short)");
}

TEST_F(LongValues, ALongValueIsReadForOneRowOnly)
{
    const std::string shared = "table 'Notes', page 9: the long value at page ";
    const std::string damage = " is shared by two rows, which Access never does: the file is "
                               "damaged";
    jet::LongValueClaims claims(3);
    EXPECT_EQ(Read(Header(0x40000000 | 5, 0x100), &claims), "whole");
    EXPECT_EQ(Read(Header(7, 0x101), &claims), "abcdefg");
    // Inline values have no rows to share.
    EXPECT_EQ(Read(Header(0x80000000 | 3, 0) + "hey", &claims), "hey");
    EXPECT_EQ(Read(Header(0x80000000 | 3, 0) + "hey", &claims), "hey");
    EXPECT_EQ(FailureOf([&] { Read(Header(0x40000000 | 5, 0x100), &claims); }),
              shared + "1" + damage);
    // A chain that runs into another's end.
    EXPECT_EQ(FailureOf([&] { Read(Header(4, 0x200), &claims); }), shared + "2" + damage);
    // A loop within one value stays a loop.
    jet::LongValueClaims fresh(3);
    EXPECT_EQ(FailureOf([&] { Read(Header(100, 0x201), &fresh); }),
              "table 'Notes', page 9: a Memo or OLE value's chain of pages goes round in a loop");
    // Without claims each read stands alone.
    EXPECT_EQ(Read(Header(0x40000000 | 5, 0x100)), "whole");
    EXPECT_EQ(Read(Header(0x40000000 | 5, 0x100)), "whole");
}

TEST(LongValueLimit, AValueLongerThanTheLimitIsRefusedBeforeItIsRead)
{
    // A file large enough to hold it, its pages empty.
    const std::string bytes((jet::kMaxLongValueBytes / kPage + 2) * kPage, '\0');
    jet::MemorySource source(bytes);
    jet::Pages pages(source, kPage);
    const std::string header = U32(jet::kMaxLongValueBytes + 1) + U32(0x100) + U32(0);
    EXPECT_EQ(FailureOf([&] {
                  jet::ReadLongValue(header, pages, kJet4, {"FireData", 12});
              }),
              "table 'FireData', page 12: a Memo or OLE value of 8388609 bytes is longer than "
              "the 8 MiB this program reads");
}

} // namespace
