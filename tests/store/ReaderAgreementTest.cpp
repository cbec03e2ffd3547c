// Tavrin's Access reader against the witness (libmdb, as Tavrin read Access
// files before it had its own reader): every fixture and generated files of
// many shapes, every column description and every value compared in order.
#include "store/mdbreader/MdbReader.h"
#include "tests/store/AccessFixtures.h"
#include "tests/store/jetgen/Jet4File.h"
#include "tests/store/jetgen/RandomTable.h"
#include "tests/store/witness/LibmdbWitness.h"
#include "tests/store/witness/ReaderAnswers.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using jetgen::RandomShape;

// The libmdb reader Tavrin had gave a Numeric column's precision as its scale
// and its scale as its precision, so the store refused the table; the
// witness and the program's own reader give them as the file holds them.
constexpr bool kProgramReaderReadsNumeric = true;

jetgen::Table RandomTable(const std::string& name, RandomShape shape)
{
    shape.numeric = kProgramReaderReadsNumeric;
    return jetgen::RandomTable(name, shape);
}

class ReaderAgreement : public ::testing::Test
{
protected:
    // Both readers read the catalogue and every table it lists alike.
    void ExpectAgreement(const std::string& path)
    {
        SCOPED_TRACE(path);
        const witness::Reading expected = witness::ReadCatalogue(witness::WriteCatalogue, path);
        ASSERT_EQ(expected.failure, "") << "the witness cannot read a good file";
        const witness::Reading got = witness::ReadCatalogue(mdbreader::WriteCatalogue, path);
        ASSERT_EQ(got.failure, "");
        ASSERT_EQ(got.catalogue.size(), expected.catalogue.size());
        for (std::size_t i = 0; i < expected.catalogue.size(); ++i) {
            ASSERT_EQ(got.catalogue[i].name, expected.catalogue[i].name) << "table " << i;
            ASSERT_EQ(got.catalogue[i].type, expected.catalogue[i].type) << "table " << i;
        }
        for (const store::TableEntry& entry : expected.catalogue) {
            std::string witnessFailure;
            std::string readerFailure;
            store::RowSet want =
                witness::ReadTable(witness::WriteTable, path, entry.name, witnessFailure);
            store::RowSet have =
                witness::ReadTable(mdbreader::WriteTable, path, entry.name, readerFailure);
            if (entry.type == "SYSTEM TABLE") {
                // libmdb meets a row that Access moved to another page where
                // it lies, not where its place points to it: in a system
                // table of indexTestV2000.mdb that puts it last, not second.
                // The order of system tables is nobody's concern.
                witness::SortRows(want);
                witness::SortRows(have);
            }
            ASSERT_EQ(witnessFailure, "") << "the witness cannot read table '" << entry.name << "'";
            EXPECT_EQ(readerFailure, "") << "table '" << entry.name << "'";
            EXPECT_EQ(witness::FirstDifference(have, want), "");
            ++tablesCompared;
        }
    }

    std::string Generate(const std::string& name, const std::vector<jetgen::Table>& tables)
    {
        const std::string path = dir.File(name);
        jetgen::WriteJet4File(path, tables);
        return path;
    }

    testsupport::TempDir dir;
    int tablesCompared = 0;
};

TEST_F(ReaderAgreement, EveryFixtureReadsAlike)
{
    std::vector<fs::path> folders{fs::path(TAVRIN_TEST_DATA_DIR) / "fixtures" / "access"};
    if (fs::is_directory(TAVRIN_SHARED_ACCESS_FIXTURES))
        folders.emplace_back(TAVRIN_SHARED_ACCESS_FIXTURES);
    else
        std::printf("no shared Access fixtures at %s: only the repository's are read\n",
                    TAVRIN_SHARED_ACCESS_FIXTURES);
    int files = 0;
    for (const fs::path& folder : folders)
        for (const fs::directory_entry& file : fs::directory_iterator(folder))
            if (file.path().extension() == ".mdb") {
                ExpectAgreement(file.path().string());
                ++files;
            }
    EXPECT_GE(files, 7);
    EXPECT_GT(tablesCompared, 2 * files); // user tables as well as system ones
}

TEST_F(ReaderAgreement, GeneratedFilesOfEveryColumnTypeReadAlike)
{
    ExpectAgreement(Generate("small.mdb", {RandomTable("Small", {.seed = 1, .rows = 200})}));
    ExpectAgreement(Generate("nulls.mdb", {RandomTable("Nulls", {.seed = 2,
                                                                 .rows = 1500,
                                                                 .nullPercent = 40,
                                                                 .deletedPercent = 15,
                                                                 .longPercent = 20,
                                                                 .overflowPercent = 5})}));
    ExpectAgreement(Generate(
        "utf16.mdb",
        {RandomTable("Plain", {.seed = 3, .rows = 400, .longPercent = 10, .compressed = false})}));
}

TEST_F(ReaderAgreement, SeveralTablesInOneFileReadAlike)
{
    ExpectAgreement(
        Generate("several.mdb",
                 {RandomTable("First", {.seed = 4, .rows = 300, .deletedPercent = 50}),
                  RandomTable("Empty", {.seed = 5, .rows = 0}),
                  RandomTable("Deleted", {.seed = 6, .rows = 50, .deletedPercent = 100}),
                  RandomTable("Long values",
                              {.seed = 7, .rows = 120, .nullPercent = 5, .longPercent = 60})}));
}

TEST_F(ReaderAgreement, NumericColumnsReadAlike)
{
    if (!kProgramReaderReadsNumeric)
        GTEST_SKIP() << "the program's reader swaps a Numeric column's precision and scale";
    ExpectAgreement(
        Generate("numeric.mdb", {jetgen::RandomTable("Numbers", {.seed = 9, .rows = 500})}));
}

TEST_F(ReaderAgreement, ManyPagesReadAlike)
{
    // 100 000 rows over a thousand pages: the usage map points to bitmap pages.
    ExpectAgreement(Generate("many.mdb", {jetgen::RandomFireData({.seed = 8,
                                                                  .rows = 100000,
                                                                  .nullPercent = 5,
                                                                  .deletedPercent = 2,
                                                                  .overflowPercent = 1})}));
}

} // namespace
