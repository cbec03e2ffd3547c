// A whole table read from a small hand-made file: rows in the order of the
// usage map and of each page, deleted rows skipped, moved rows read where
// they lie now, and every shortfall refused.
#include "store/access/TableScan.h"

#include "store/access/Catalogue.h"
#include "tests/store/AccessFixtures.h"
#include "tests/store/access/JetBytes.h"

#include <gtest/gtest.h>

namespace {

using namespace jetbytes;
using namespace std::string_literals;

// Page 0: a real Jet 4 header. Page 1: table T (ID Long, Name Text), its
// usage map as row 0 of page 2, marking pages 3 and 4. Pages 3 and 4: rows.
class Scan : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pages.push_back(
            accessfixtures::Bytes(accessfixtures::Path("emptyJet4.mdb")).substr(0, kPage));
        pages.push_back(Definition4(
            4, {{jet::kLong, 0, true, 0, 4, "ID"}, {jet::kText, 1, false, 0, 20, "Name"}}, 0x200));
        pages.push_back(DataPage(1, {{"\0"s + U32(3) + "\x03", 0}}));
        pages.push_back(DataPage(1, {{Row(1, "a"), 0},
                                     {Row(99, "deleted"), 0xC000},
                                     {U32(0x400), 0x4000}, // row 2 moved to page 4, row 0
                                     {Row(3, "c"), 0}}));
        pages.push_back(DataPage(1, {{Row(2, "b"), 0x8000}, {Row(4, "d"), 0}}));
    }

    static std::string Row(std::uint32_t id, const std::string& name)
    {
        return Row4(2, U32(id), {Utf16(name)}, {true, true});
    }

    // The IDs read, in order; "refused: ..." when the table is refused.
    std::string Ids()
    {
        const std::string bytes = File(pages);
        jet::MemorySource source(bytes);
        jet::JetFile file(source);
        std::string ids;
        try {
            jet::TableScan table(file, "T", 1);
            table.ForEachRow([&](const std::vector<jet::Field>& fields, const jet::Place&) {
                ids += std::to_string(static_cast<unsigned char>(fields[0].bytes[0])) + ":" +
                       file.Text(fields[1].bytes) + " ";
            });
        } catch (const jet::Unreadable& failure) {
            return "refused: "s + failure.what();
        }
        return ids;
    }

    std::vector<std::string> pages;
};

TEST_F(Scan, RowsComeInPageOrderDeletedOnesSkippedMovedOnesWhereTheyLie)
{
    EXPECT_EQ(Ids(), "1:a 3:c 2:b 4:d ");
}

TEST_F(Scan, PagesOfAnotherTableInTheMapArePassedOver)
{
    Put(pages[4], 4, U32(77));
    Put(pages[1], 16, U32(2));
    EXPECT_EQ(Ids(), "1:a 3:c ");
}

TEST_F(Scan, FewerRowsThanTheDefinitionCountsAreRefused)
{
    Put(pages[1], 16, U32(5));
    EXPECT_EQ(Ids(), "refused: only 4 of the 5 rows of table 'T' can be read");
}

TEST_F(Scan, AFileCutShortWithinTheTableIsRefusedBeforeAnyRow)
{
    pages.pop_back();
    EXPECT_EQ(Ids(), "refused: table 'T', page 4: the page lies past the end of the file, "
                     "which is cut short: only part of the 4 rows can be read");
}

TEST_F(Scan, AMovedRowPointingOutsideTheTableIsRefused)
{
    pages[3] = DataPage(1, {{Row(1, "a"), 0}, {U32(0x900), 0x4000}});
    EXPECT_EQ(Ids(), "refused: table 'T', page 3: a moved row points at page 9, which is not one "
                     "of the table's pages");
}

TEST(Catalogue, TablesAreFoundByNameWhateverTheAsciiCase)
{
    std::vector<jet::CatalogueEntry> entries(3);
    entries[0] = {"Query", 5, 5, 0};
    entries[1] = {"firedata", 9, 1, 0};
    entries[2] = {"FireData", 8, 1, 0};
    EXPECT_EQ(jet::FindTable(entries, "FireData")->definitionPage, 8u);
    EXPECT_EQ(jet::FindTable(entries, "FIREDATA")->definitionPage, 9u);
    EXPECT_EQ(jet::FindTable(entries, "Query"), nullptr);
}

} // namespace
