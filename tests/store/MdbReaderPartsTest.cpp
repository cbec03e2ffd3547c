// The reader's own pieces that need no Access file: Jet 4 text decoding and
// the answer it writes, read back by the engine's parser.
#include "store/access/Jet4Text.h"
#include "store/engine/MdbReaderOutput.h"
#include "store/engine/MdbReaderProcess.h"
#include "store/mdbreader/AnswerWriter.h"
#include "tests/support/TempDir.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

using jet::Jet4TextToUtf8;
using namespace std::string_literals;

TEST(Jet4Text, Utf16IsDecoded)
{
    EXPECT_EQ(Jet4TextToUtf8("A\0\xE9\0\x2C\x4E"s), "A\xC3\xA9\xE4\xB8\xAC"); // "Aé丬"
    EXPECT_EQ(Jet4TextToUtf8(""), "");
}

TEST(Jet4Text, CompressedRunsAreDecoded)
{
    EXPECT_EQ(Jet4TextToUtf8("\xFF\xFE"
                             "abc"s),
              "abc");
    EXPECT_EQ(Jet4TextToUtf8("\xFF\xFE"
                             "a\0\x2C\x4E\0z"s),
              "a\xE4\xB8\xACz"); // switch twice
    EXPECT_EQ(Jet4TextToUtf8("\xFF\xFE\xE9"s), "\xC3\xA9");
}

TEST(Jet4Text, SurrogatePairsBecomeOneCharacterAndStrayOnesAReplacement)
{
    EXPECT_EQ(Jet4TextToUtf8("\x3D\xD8\x00\xDE"s), "\xF0\x9F\x98\x80"); // U+1F600
    EXPECT_EQ(Jet4TextToUtf8("\x3D\xD8"
                             "a\0"s),
              "\xEF\xBF\xBD"
              "a");
    EXPECT_EQ(Jet4TextToUtf8("a\0b"s), "a"); // an odd last byte is no character
}

// Writes through an AnswerWriter into a file and gives back what it holds.
class WrittenAnswer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.File("answer");
        file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
    }
    void TearDown() override { std::fclose(file); }
    std::string Written() const
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void BeginOneColumnTable(mdbreader::AnswerWriter& out)
    {
        out.Begin(mdbproto::Answer::Table);
        out.Text("T");
        out.U32(1);
        out.Text("v");
        out.U8(static_cast<std::uint8_t>(mdbproto::AccessType::Memo));
        out.U32(0);
        out.U8(0);
        out.U8(0);
    }
    void Row(mdbreader::AnswerWriter& out, const std::string& text)
    {
        out.BeginRow();
        out.U8(1);
        out.Text(text);
        out.EndRow();
    }

    testsupport::TempDir dir;
    std::string path;
    std::FILE* file = nullptr;
};

TEST_F(WrittenAnswer, RowsWrittenReadBack)
{
    mdbreader::AnswerWriter out(file);
    BeginOneColumnTable(out);
    Row(out, "first");
    Row(out, "");
    out.U8(mdbproto::kRowsEnd);
    out.Finish();
    const store::RowSet rows = store::ParseTableAnswer(Written());
    ASSERT_EQ(rows.rows.size(), 2u);
    EXPECT_EQ(rows.rows[0][0], ado::Variant::Bstr("first"));
    EXPECT_EQ(rows.rows[1][0], ado::Variant::Bstr(""));
    EXPECT_EQ(rows.columns[0].declaredType, "memo");
}

TEST_F(WrittenAnswer, AFailureBeforeAnyRowWentOutReplacesTheAnswer)
{
    mdbreader::AnswerWriter out(file);
    BeginOneColumnTable(out);
    Row(out, "kept back");
    out.Fail("a row is damaged");
    try {
        store::ParseTableAnswer(Written());
        FAIL() << "a failed answer parsed";
    } catch (const ado::_com_error& failure) {
        EXPECT_STREQ(failure.what(), "a row is damaged");
    }
}

TEST_F(WrittenAnswer, AFailureAfterRowsWentOutEndsThemMidRow)
{
    mdbreader::AnswerWriter out(file);
    BeginOneColumnTable(out);
    const std::string big(300000, 'x');
    for (int i = 0; i < 5; ++i) // more than is held back
        Row(out, big);
    out.BeginRow();
    out.U8(1); // half a row
    out.Fail("a Memo or OLE value is damaged");
    const std::string written = Written();
    EXPECT_GT(written.size(), 1000000u);
    try {
        store::ParseTableAnswer(written);
        FAIL() << "a failed answer parsed";
    } catch (const ado::_com_error& failure) {
        EXPECT_STREQ(failure.what(), "a Memo or OLE value is damaged");
    }
}

} // namespace
