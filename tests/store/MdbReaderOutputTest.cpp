// Reading the reader's answers: values decoded exactly, every damaged or
// short answer refused with a reason.
#include "store/engine/MdbReaderOutput.h"

#include "store/engine/MdbReaderProcess.h"
#include "store/engine/MdbReaderProtocol.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <gtest/gtest.h>

namespace {

using mdbproto::AccessType;

// Builds answers byte by byte.
class Answer
{
public:
    explicit Answer(mdbproto::Answer kind)
    {
        bytes_.append(mdbproto::kMagic, 4);
        U8(static_cast<std::uint8_t>(kind));
    }
    Answer& U8(std::uint8_t v) { return Little(v, 1); }
    Answer& U16(std::uint16_t v) { return Little(v, 2); }
    Answer& U32(std::uint32_t v) { return Little(v, 4); }
    Answer& U64(std::uint64_t v) { return Little(v, 8); }
    Answer& Text(const std::string& text)
    {
        U32(static_cast<std::uint32_t>(text.size()));
        bytes_ += text;
        return *this;
    }
    Answer& Column(const std::string& name, AccessType type, std::uint32_t width = 0,
                   std::uint8_t precision = 0, std::uint8_t scale = 0)
    {
        return Text(name).U8(static_cast<std::uint8_t>(type)).U32(width).U8(precision).U8(scale);
    }
    std::string End() const { return bytes_ + std::string(mdbproto::kTrailer, 4); }
    const std::string& Bytes() const { return bytes_; }

private:
    Answer& Little(std::uint64_t v, int n)
    {
        for (int i = 0; i < n; ++i)
            bytes_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        return *this;
    }
    std::string bytes_;
};

std::string TableFailure(const std::string& answer)
{
    try {
        store::ParseTableAnswer(answer);
    } catch (const ado::_com_error& failure) {
        return failure.what();
    }
    return "parsed";
}

// One column, one row holding `payload` (present).
Answer OneValue(AccessType type, std::uint8_t precision = 0, std::uint8_t scale = 0)
{
    Answer a(mdbproto::Answer::Table);
    a.Text("T").U32(1).Column("v", type, 0, precision, scale).U8(mdbproto::kRowFollows).U8(1);
    return a;
}

ado::Variant OnlyValue(const Answer& a)
{
    Answer copy = a;
    const store::RowSet rows = store::ParseTableAnswer(copy.U8(mdbproto::kRowsEnd).End());
    EXPECT_EQ(rows.rows.size(), 1u);
    return rows.rows.at(0).at(0);
}

TEST(ReaderAnswer, CatalogueNamesUserAndSystemTables)
{
    Answer a(mdbproto::Answer::Catalogue);
    a.U32(2).Text("MSysObjects").U8(2).Text("tb_Layout").U8(1);
    const auto tables = store::ParseCatalogueAnswer(a.End());
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].name, "MSysObjects");
    EXPECT_EQ(tables[0].type, "SYSTEM TABLE");
    EXPECT_EQ(tables[1].name, "tb_Layout");
    EXPECT_EQ(tables[1].type, "TABLE");
}

TEST(ReaderAnswer, CurrencyAndNumericAreExactDecimals)
{
    EXPECT_EQ(OnlyValue(OneValue(AccessType::Currency).U64(static_cast<std::uint64_t>(-15000)))
                  .decVal()
                  .ToText(),
              "-1.5000");
    EXPECT_EQ(
        OnlyValue(OneValue(AccessType::Currency).U64(0x8000000000000000ull)).decVal().ToText(),
        "-922337203685477.5808");
    const ado::Variant numeric =
        OnlyValue(OneValue(AccessType::Numeric, 18, 2).U8(0x80).U32(1).U64(0));
    EXPECT_EQ(numeric.vt(), ado::VT_DECIMAL);
    EXPECT_EQ(numeric.decVal().ToText(), "-184467440737095516.16");
}

TEST(ReaderAnswer, FloatingValuesAndDatesKeepTheirBits)
{
    EXPECT_EQ(OnlyValue(OneValue(AccessType::Single).U32(std::bit_cast<std::uint32_t>(0.1f))),
              ado::Variant::R4(0.1f));
    EXPECT_EQ(OnlyValue(OneValue(AccessType::Double).U64(std::bit_cast<std::uint64_t>(0.1))),
              ado::Variant::R8(0.1));
    EXPECT_EQ(OnlyValue(OneValue(AccessType::DateTime).U64(std::bit_cast<std::uint64_t>(45000.75))),
              ado::Variant::Date(45000.75));
}

TEST(ReaderAnswer, IntegersKeepTheirSignAndKind)
{
    EXPECT_EQ(OnlyValue(OneValue(AccessType::Integer).U16(0xFFFE)), ado::Variant::I2(-2));
    EXPECT_EQ(OnlyValue(OneValue(AccessType::Long).U32(0x80000000u)), ado::Variant::I4(INT32_MIN));
    EXPECT_EQ(OnlyValue(OneValue(AccessType::Byte).U8(255)), ado::Variant::UI1(255));
    EXPECT_EQ(OnlyValue(OneValue(AccessType::Boolean).U8(1)), ado::Variant::Bool(true));
}

TEST(ReaderAnswer, NullAndEmptyTextDiffer)
{
    Answer a(mdbproto::Answer::Table);
    a.Text("T").U32(1).Column("t", AccessType::Text, 10);
    a.U8(mdbproto::kRowFollows).U8(0);
    a.U8(mdbproto::kRowFollows).U8(1).Text("");
    a.U8(mdbproto::kRowsEnd);
    const auto rows = store::ParseTableAnswer(a.End());
    ASSERT_EQ(rows.rows.size(), 2u);
    EXPECT_EQ(rows.rows[0][0], ado::Variant::Null());
    EXPECT_EQ(rows.rows[1][0], ado::Variant::Bstr(""));
}

TEST(ReaderAnswer, AFailureAnswerCarriesTheReadersReason)
{
    Answer a(mdbproto::Answer::Failure);
    a.Text("it has no table 'x'");
    EXPECT_EQ(TableFailure(a.End()), "it has no table 'x'");
}

TEST(ReaderAnswer, RowsThatFailMidwayGiveTheReason)
{
    Answer a = OneValue(AccessType::Long);
    a.U32(7).U8(mdbproto::kRowsFailed).Text("a row is damaged");
    EXPECT_EQ(TableFailure(a.End()), "a row is damaged");
}

TEST(ReaderAnswer, LengthsBeyondTheAnswerAreRefused)
{
    Answer a = OneValue(AccessType::Text);
    a.U32(0xFFFFFFF0u);
    EXPECT_EQ(TableFailure(a.End()), "the reader's answer is damaged (a text runs past its end)");
}

TEST(ReaderAnswer, ImpossibleColumnsAreRefused)
{
    Answer none(mdbproto::Answer::Table);
    none.Text("T").U32(0).U8(mdbproto::kRowsEnd);
    EXPECT_EQ(TableFailure(none.End()), "the reader's answer is damaged (it names 0 columns)");

    Answer many(mdbproto::Answer::Table);
    many.Text("T").U32(100000000);
    EXPECT_EQ(TableFailure(many.End()),
              "the reader's answer is damaged (it names 100000000 columns)");

    Answer unknown(mdbproto::Answer::Table);
    unknown.Text("T").U32(1).Text("c").U8(0x42).U32(0).U8(0).U8(0).U8(mdbproto::kRowsEnd);
    EXPECT_EQ(TableFailure(unknown.End()),
              "the reader's answer is damaged (a column of an unknown type)");

    Answer scale(mdbproto::Answer::Table);
    scale.Text("T").U32(1).Column("n", AccessType::Numeric, 0, 10, 12).U8(mdbproto::kRowsEnd);
    EXPECT_NE(TableFailure(scale.End()).find("precision 10 and scale 12"), std::string::npos);
}

TEST(ReaderAnswer, BadMarksAndTrailingBytesAreRefused)
{
    Answer mark = OneValue(AccessType::Long);
    mark.U32(1).U8(7);
    EXPECT_EQ(TableFailure(mark.End()),
              "the reader's answer is damaged (a row is not marked as one)");

    Answer presence(mdbproto::Answer::Table);
    presence.Text("T").U32(1).Column("v", AccessType::Long).U8(mdbproto::kRowFollows).U8(5);
    EXPECT_EQ(TableFailure(presence.End()),
              "the reader's answer is damaged (a value is neither NULL nor present)");

    Answer extra = OneValue(AccessType::Long);
    extra.U32(1).U8(mdbproto::kRowsEnd);
    EXPECT_EQ(TableFailure(extra.End() + "x"),
              "the reader's answer is damaged (bytes follow its end)");

    Answer other(mdbproto::Answer::Catalogue);
    other.U32(0);
    EXPECT_EQ(TableFailure(other.End()),
              "the reader's answer is damaged (it answers another question)");
}

// An answer handed on `step` bytes at a time, as a pipe hands it; notes the
// most the reader of it ever held in the string it was handed.
struct Trickle
{
    std::string answer;
    std::size_t step = 1;
    std::size_t at = 0;
    std::size_t mostHeld = 0;

    store::AnswerSource Source()
    {
        return [this](std::string& into, std::size_t most) {
            if (at == answer.size())
                return false;
            const std::size_t take = std::min({step, most, answer.size() - at});
            into.append(answer, at, take);
            at += take;
            mostHeld = std::max(mostHeld, into.size());
            return true;
        };
    }
};

// Many rows, each a number and a text, some texts long.
Answer ManyRows(std::size_t rows)
{
    Answer a(mdbproto::Answer::Table);
    a.Text("FireData").U32(2).Column("n", AccessType::Long).Column("note", AccessType::Memo);
    for (std::size_t i = 0; i < rows; ++i) {
        a.U8(mdbproto::kRowFollows).U8(1).U32(static_cast<std::uint32_t>(i)).U8(1);
        a.Text(std::string(i % 50 == 0 ? 100000 + i : i % 300, static_cast<char>('a' + i % 26)));
    }
    a.U8(mdbproto::kRowsEnd);
    return a;
}

std::string StreamedFailure(const std::string& answer, std::size_t step)
{
    Trickle trickle{answer, step};
    try {
        store::ParseTableAnswer(trickle.Source());
    } catch (const ado::_com_error& failure) {
        return failure.what();
    }
    return "parsed";
}

TEST(StreamedReaderAnswer, PiecesOfAnySizeReadAsTheWholeAnswerDoes)
{
    const std::string answer = ManyRows(400).End();
    const store::RowSet whole = store::ParseTableAnswer(answer);
    ASSERT_EQ(whole.rows.size(), 400u);
    for (const std::size_t step :
         {std::size_t{1}, std::size_t{7}, std::size_t{65539}, answer.size()}) {
        Trickle trickle{answer, step};
        const store::RowSet streamed = store::ParseTableAnswer(trickle.Source());
        EXPECT_EQ(streamed.table, "FireData");
        EXPECT_EQ(streamed.rows, whole.rows) << step;
        EXPECT_EQ(trickle.at, answer.size());
    }
}

TEST(StreamedReaderAnswer, OnlyAPieceAndOneTextAreHeld)
{
    const std::string answer = ManyRows(2000).End();
    ASSERT_GT(answer.size(), std::size_t{4} << 20);
    Trickle trickle{answer, answer.size()};
    std::size_t rows = 0;
    store::RowSink sink;
    sink.columns = [](const std::vector<store::ColumnInfo>&) {};
    sink.row = [&](const std::vector<ado::Variant>&) { ++rows; };
    store::StreamTableAnswer(trickle.Source(), sink);
    EXPECT_EQ(rows, 2000u);
    // The longest text is 101950 bytes; pieces are 64 KiB.
    EXPECT_LE(trickle.mostHeld, std::size_t{256} << 10);
}

TEST(StreamedReaderAnswer, CutAnswersAndTrailingBytesAreRefused)
{
    const std::string answer = ManyRows(60).End();
    for (const std::size_t keep :
         {std::size_t{5}, std::size_t{20}, answer.size() / 2, answer.size() - 5})
        EXPECT_EQ(StreamedFailure(answer.substr(0, keep), 4096),
                  "the reader's answer is damaged (it ends too early)")
            << keep;
    EXPECT_EQ(StreamedFailure(answer.substr(0, 3), 4096),
              "the reader's answer is damaged (it does not begin as an answer)");
    EXPECT_EQ(StreamedFailure(answer.substr(0, answer.size() - 1), 4096),
              "the reader's answer is damaged (its end mark is missing)");
    EXPECT_EQ(StreamedFailure(answer + "x", 4096),
              "the reader's answer is damaged (bytes follow its end)");
    EXPECT_EQ(StreamedFailure("TMR1", 4096), "the reader's answer is damaged (it ends too early)");
    EXPECT_EQ(StreamedFailure("hello", 4096),
              "the reader's answer is damaged (it does not begin as an answer)");
}

TEST(StreamedReaderAnswer, ATextLongerThanAnyValueIsRefusedBeforeItComes)
{
    Answer a = OneValue(AccessType::Memo);
    a.U32(mdbproto::kMaxTextBytes + 1);
    Trickle trickle{a.Bytes() + std::string(1000, 'x'), 64};
    try {
        store::ParseTableAnswer(trickle.Source());
        ADD_FAILURE() << "parsed";
    } catch (const ado::_com_error& failure) {
        EXPECT_STREQ(failure.what(), "the reader's answer is damaged (a text of 25165825 bytes, "
                                     "more than the 25165824 of the longest value)");
    }
    EXPECT_LT(trickle.at, a.Bytes().size() + 1000);
    // The longest allowed still reads.
    Answer longest = OneValue(AccessType::Memo);
    longest.Text(std::string(mdbproto::kMaxTextBytes, 'm')).U8(mdbproto::kRowsEnd);
    Trickle whole{longest.End(), 1 << 20};
    EXPECT_EQ(store::ParseTableAnswer(whole.Source()).rows.at(0).at(0).bstrVal().size(),
              mdbproto::kMaxTextBytes);
}

} // namespace
