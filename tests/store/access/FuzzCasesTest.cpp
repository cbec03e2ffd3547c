// Files the fuzzer once broke the reader with (tests/store/fuzz-cases), and
// the Access fixtures: each is read as the reader program reads it, and every
// answer it writes is one the store's parser takes, as rows or as a failure.
#include "store/access/Catalogue.h"
#include "store/access/JetFile.h"
#include "store/engine/MdbReaderOutput.h"
#include "store/mdbreader/MdbReader.h"
#include "tests/store/AccessFixtures.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// Raises the store's failure when the answer is one.
void Parse(const std::string& answer, bool catalogue)
{
    if (catalogue)
        store::ParseCatalogueAnswer(answer);
    else
        store::ParseTableAnswer(answer);
}

// Every answer the reader gives for `bytes`, checked; the tables read whole.
int ReadEverything(const std::string& bytes)
{
    jet::MemorySource source(bytes);
    std::string answer;
    const auto collect = [&answer](std::string_view piece) { answer += piece; };
    std::vector<jet::CatalogueEntry> catalogue;
    {
        mdbreader::AnswerWriter out(collect);
        try {
            jet::JetFile file(source);
            catalogue = jet::ReadCatalogue(file);
            mdbreader::WriteCatalogueFrom(catalogue, out);
            out.Finish();
        } catch (const jet::Unreadable& failure) {
            out.Fail(failure.what());
        }
    }
    if (catalogue.empty()) {
        EXPECT_THROW(Parse(answer, true), ado::_com_error);
        return 0;
    }
    EXPECT_NO_THROW(Parse(answer, true));
    int whole = 0;
    jet::JetFile file(source);
    for (const jet::CatalogueEntry& entry : catalogue) {
        if (!entry.IsTable())
            continue;
        answer.clear();
        mdbreader::AnswerWriter out(collect);
        mdbreader::AnswerTableFrom(file, catalogue, entry.name, out);
        try {
            Parse(answer, false);
            ++whole;
        } catch (const ado::_com_error& failure) {
            EXPECT_STRNE(failure.what(), "") << entry.name;
            EXPECT_EQ(std::string(failure.what()).find("answer is damaged"), std::string::npos)
                << failure.what();
        }
    }
    return whole;
}

TEST(FuzzCases, EveryCaseEndsInAnswersTheStoreTakes)
{
    int cases = 0;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(fs::path(TAVRIN_TEST_DATA_DIR) / "fuzz-cases")) {
        if (entry.path().extension() != ".mdb")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        ReadEverything(accessfixtures::Bytes(entry.path().string()));
        ++cases;
    }
    EXPECT_GT(cases, 0);
}

TEST(FuzzCases, EveryFixtureTableIsReadWhole)
{
    EXPECT_EQ(ReadEverything(accessfixtures::Bytes(accessfixtures::Path("testV1997.mdb"))), 10);
    EXPECT_EQ(ReadEverything(accessfixtures::Bytes(accessfixtures::Path("indexTestV2000.mdb"))),
              13);
}

} // namespace
