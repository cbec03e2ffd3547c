#include "DecimalValue.h"

#include "HostCode.h"

#include <gtest/gtest.h>

using hostlink::DecimalValue;
using hostlink::HostCodeInput;
using hostlink::ReadHostCode;

TEST(DecimalValue, ReadsTheLeadingNumber)
{
    EXPECT_EQ(DecimalValue("12"), 12);
    EXPECT_EQ(DecimalValue("7A"), 7);
    EXPECT_EQ(DecimalValue("0012"), 12);
    EXPECT_EQ(DecimalValue(" \t5"), 5);
    EXPECT_EQ(DecimalValue("-1"), -1);
    EXPECT_EQ(DecimalValue("+8"), 8);
    EXPECT_EQ(DecimalValue("1 2"), 1);
}

TEST(DecimalValue, NoDigitsGivesZero)
{
    EXPECT_EQ(DecimalValue(""), 0);
    EXPECT_EQ(DecimalValue("abc"), 0);
    EXPECT_EQ(DecimalValue("-"), 0);
    EXPECT_EQ(DecimalValue("  "), 0);
}

TEST(DecimalValue, Edges32BitsFitAndOneBeyondDoesNot)
{
    EXPECT_EQ(DecimalValue("2147483647"), 2147483647);
    EXPECT_EQ(DecimalValue("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(DecimalValue("2147483648"), std::nullopt);
    EXPECT_EQ(DecimalValue("-2147483649"), std::nullopt);
    EXPECT_EQ(DecimalValue("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(DecimalValue("000000000000000000012"), 12); // leading zeros are not magnitude
}

TEST(HostCode, EmptyTextIsTheOnlyEmpty)
{
    EXPECT_EQ(ReadHostCode("").status, HostCodeInput::kEmpty);
    EXPECT_EQ(ReadHostCode(" ").status, HostCodeInput::kOutOfRange);
}

TEST(HostCode, RangeIsOneTo252)
{
    EXPECT_EQ(ReadHostCode("1").code, 1);
    EXPECT_EQ(ReadHostCode("252").code, 252);
    EXPECT_EQ(ReadHostCode("0").status, HostCodeInput::kOutOfRange);
    EXPECT_EQ(ReadHostCode("253").status, HostCodeInput::kOutOfRange);
    EXPECT_EQ(ReadHostCode("-5").status, HostCodeInput::kOutOfRange);
    EXPECT_EQ(ReadHostCode("4294967301").status, HostCodeInput::kOutOfRange); // not 5
}

TEST(HostCode, LettersAloneAreZeroAndBlankOrTrailingLettersAreIgnored)
{
    EXPECT_EQ(ReadHostCode("abc").status, HostCodeInput::kOutOfRange);
    const HostCodeInput leadingBlank = ReadHostCode(" 12");
    EXPECT_EQ(leadingBlank.status, HostCodeInput::kValid);
    EXPECT_EQ(leadingBlank.code, 12);
    EXPECT_EQ(ReadHostCode("12ab").code, 12);
}
