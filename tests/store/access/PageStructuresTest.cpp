// Data pages and their row offsets, usage maps and table definitions, on
// hand-made pages.
#include "store/access/DataPage.h"
#include "store/access/Jet4Text.h"
#include "store/access/PageView.h"
#include "store/access/TableDefinition.h"
#include "store/access/UsageMap.h"
#include "tests/store/access/JetBytes.h"

#include <gtest/gtest.h>

namespace {

using namespace jetbytes;
using namespace std::string_literals;
const jet::JetFormat& kJet4 = jet::JetFormat::Of(jet::JetVersion::Jet4);

// A file of pages read through the reader's page cache.
struct PagedFile
{
    explicit PagedFile(const std::vector<std::string>& of)
        : bytes(File(of)), source(bytes), pages(source, kPage)
    {
    }
    std::string bytes;
    jet::MemorySource source;
    jet::Pages pages;
};

TEST(DataPage, RowsRunFromTheirOffsetToThePreviousRowWithTheirFlags)
{
    PagedFile file(
        {std::string(kPage, '\0'),
         DataPage(7, {{"first", 0}, {"gone", 0xC000}, {"ptr!", 0x4000}, {"new", 0x8000}})});
    const jet::DataPage page(file.pages.Get(1), kJet4, {"T", 1});
    ASSERT_EQ(page.RowCount(), 4u);
    EXPECT_EQ(jet::DataPage::OwnerOf(page.GetPage()), 7u);
    EXPECT_EQ(page.Bytes(page.Row(0)), "first");
    EXPECT_TRUE(page.Row(1).IsGone());
    EXPECT_FALSE(page.Row(1).IsPointer());
    EXPECT_TRUE(page.Row(2).IsPointer());
    EXPECT_FALSE(page.Row(3).IsGone()); // a moved row where it lies now
    EXPECT_EQ(page.Bytes(page.Row(3)), "new");
    EXPECT_TRUE(page.Row(3).onPage);
}

TEST(DataPage, OffsetsOffThePageOrAcrossTheHeaderAreCaught)
{
    std::string bytes = DataPage(7, {{"abc", 0}, {"de", 0}});
    Put(bytes, 16, U16(kPage - 1)); // row 1 would end before it starts
    PagedFile file({std::string(kPage, '\0'), bytes});
    const jet::DataPage page(file.pages.Get(1), kJet4, {"T", 1});
    EXPECT_FALSE(page.Row(1).onPage);

    std::string many = DataPage(7, {});
    Put(many, 12, U16(3000)); // 3000 offsets do not fit on a page
    PagedFile full({std::string(kPage, '\0'), many});
    EXPECT_EQ(FailureOf([&] {
                  jet::DataPage(full.pages.Get(1), kJet4, {"FireData", 1});
              }),
              "table 'FireData', page 1: its table of 3000 rows runs past the page");
}

TEST(PageView, AReadPastARowsBytesIsDamageNamingThePlace)
{
    const std::string row = "\x01\x02\x03\x04\x05"s;
    const jet::PageView view(row, {"FireData", 3});
    EXPECT_EQ(view.U32(1), 0x05040302u);
    EXPECT_EQ(view.Count(0, 1), 1u);
    EXPECT_EQ(view.Count(0, 2), 0x0201u);
    EXPECT_EQ(FailureOf([&] { view.U16(4); }),
              "table 'FireData', page 3: a read of 2 bytes at 4 runs past the page");
    EXPECT_EQ(FailureOf([&] { view.Bytes(6, 0); }),
              "table 'FireData', page 3: a read of 0 bytes at 6 runs past the page");
}

TEST(UsageMap, InlineAndReferenceMapsGiveTheirPagesInOrder)
{
    PagedFile file(std::vector<std::string>(12, std::string(kPage, '\0')));
    // Inline: from page 2, bits 0, 3 and 9: pages 2, 5 and 11.
    const std::string inlineMap = "\0"s + U32(2) + "\x09\x02";
    EXPECT_EQ(jet::ReadUsageMap(inlineMap, file.pages, kJet4, {"T", 1}).pages,
              (std::vector<std::uint32_t>{2, 5, 11}));

    // A reference map: its second bitmap page (page 10) covers pages from
    // 4092 * 8 = 32736 on; the first covers pages from 0 (the header: never).
    std::vector<std::string> pages(11, std::string(kPage, '\0'));
    pages[9][4] = 0x0D;
    pages[10][4] = 0x01;
    PagedFile referenced(pages);
    const jet::UsedPages used =
        jet::ReadUsageMap("\1"s + U32(9) + U32(10), referenced.pages, kJet4, {"T", 1});
    EXPECT_EQ(used.pages, (std::vector<std::uint32_t>{2, 3}));
    EXPECT_EQ(used.missing, 32736u); // the file is much shorter
}

TEST(UsageMap, PagesPastTheEndStopTheMapAndOtherKindsAreRefused)
{
    PagedFile file(std::vector<std::string>(4, std::string(kPage, '\0')));
    const jet::UsedPages used =
        jet::ReadUsageMap("\0"s + U32(2) + "\x07", file.pages, kJet4, {"T", 1});
    EXPECT_EQ(used.pages, (std::vector<std::uint32_t>{2, 3}));
    EXPECT_EQ(used.missing, 4u);
    EXPECT_EQ(FailureOf([&] {
                  jet::ReadUsageMap("\2abcd", file.pages, kJet4, {"T", 3});
              }),
              "table 'T', page 3: the table's usage map is of an unknown kind (2)");
}

TEST(TableDefinition, ColumnsComeInTheOrderOfTheirNumbersWithTheirLayout)
{
    const std::string definition = Definition4(48,
                                               {{jet::kText, 2, false, 0, 20, "Position"},
                                                {jet::kLong, 0, true, 0, 4, "ID"},
                                                {jet::kBoolean, 3, true, 4, 9, "Done"},
                                                {jet::kNumeric, 1, true, 4, 17, "Price", 18, 2}},
                                               0x0101);
    PagedFile file({std::string(kPage, '\0'), definition});
    const jet::TableDefinition read =
        jet::ReadTableDefinition(file.pages, kJet4, 1, "T", jet::Jet4TextToUtf8);
    EXPECT_EQ(read.rowCount, 48u);
    EXPECT_EQ(read.varColumnCount, 1u);
    EXPECT_EQ(read.usageMap, 0x0101u);
    ASSERT_EQ(read.columns.size(), 4u);
    EXPECT_EQ(read.columns[0].name, "ID");
    EXPECT_EQ(read.columns[1].name, "Price");
    EXPECT_EQ(read.columns[1].precision, 18);
    EXPECT_EQ(read.columns[1].scale, 2);
    EXPECT_EQ(read.columns[2].name, "Position");
    EXPECT_FALSE(read.columns[2].fixed);
    EXPECT_EQ(read.columns[2].size, 20);
    EXPECT_EQ(read.columns[3].size, 0); // a Yes/No value is its mask bit
}

TEST(TableDefinition, ADefinitionGoesOnOverItsNextPagesAndALoopIsCaught)
{
    // 337 index entries fill page 1: the column entry lies on page 2, at 19
    // (8 bytes of header, then what did not fit on page 1).
    std::string first = Definition4(1, {}, 0, 2);
    Put(first, 45, U16(1));
    Put(first, 51, U32(337));
    std::string next(kPage, '\0');
    next[0] = 0x02;
    std::string entry(25, '\0');
    entry[0] = jet::kLong;
    Put(entry, 23, U16(4));
    Put(next, 19, entry + U16(4) + Utf16("ID"));
    PagedFile file({std::string(kPage, '\0'), first, next});
    const jet::TableDefinition read =
        jet::ReadTableDefinition(file.pages, kJet4, 1, "T", jet::Jet4TextToUtf8);
    ASSERT_EQ(read.columns.size(), 1u);
    EXPECT_EQ(read.columns[0].name, "ID");
    EXPECT_EQ(read.columns[0].type, jet::kLong);

    Put(first, 51, U32(700)); // past page 2, which leads back to page 1
    Put(next, 4, U32(1));
    PagedFile looped({std::string(kPage, '\0'), first, next});
    EXPECT_EQ(FailureOf([&] {
                  jet::ReadTableDefinition(looped.pages, kJet4, 1, "T", jet::Jet4TextToUtf8);
              }),
              "table 'T', page 1: the table's definition goes round in a loop of pages");
    EXPECT_EQ(FailureOf([&] {
                  jet::ReadTableDefinition(looped.pages, kJet4, 0, "T", jet::Jet4TextToUtf8);
              }),
              "table 'T', page 0: it is not a table definition page");
}

} // namespace
