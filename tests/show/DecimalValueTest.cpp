#include "show/DecimalValue.h"

#include "show/HostCode.h"

#include <gtest/gtest.h>

using show::DecimalValue;
using show::HostCodeInput;
using show::ReadHostCode;

TEST(DecimalValue, ReadsTheLeadingNumber)
{
    EXPECT_EQ(show::DecimalValue("12"), 12);
    EXPECT_EQ(show::DecimalValue("7A"), 7);
    EXPECT_EQ(show::DecimalValue("0012"), 12);
    EXPECT_EQ(show::DecimalValue(" \t5"), 5);
    EXPECT_EQ(show::DecimalValue("-1"), -1);
    EXPECT_EQ(show::DecimalValue("+8"), 8);
    EXPECT_EQ(show::DecimalValue("1 2"), 1);
}

TEST(DecimalValue, NoDigitsGivesZero)
{
    EXPECT_EQ(show::DecimalValue(""), 0);
    EXPECT_EQ(show::DecimalValue("abc"), 0);
    EXPECT_EQ(show::DecimalValue("-"), 0);
    EXPECT_EQ(show::DecimalValue("  "), 0);
}

TEST(DecimalValue, Edges32BitsFitAndOneBeyondDoesNot)
{
    EXPECT_EQ(show::DecimalValue("2147483647"), 2147483647);
    EXPECT_EQ(show::DecimalValue("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(show::DecimalValue("2147483648"), std::nullopt);
    EXPECT_EQ(show::DecimalValue("-2147483649"), std::nullopt);
    EXPECT_EQ(show::DecimalValue("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(show::DecimalValue("000000000000000000012"), 12); // leading zeros are not magnitude
}

TEST(HostCode, EmptyTextIsTheOnlyEmpty)
{
    EXPECT_EQ(show::ReadHostCode("").status, show::HostCodeInput::kEmpty);
    EXPECT_EQ(show::ReadHostCode(" ").status, show::HostCodeInput::kOutOfRange);
}

TEST(HostCode, RangeIsOneTo252)
{
    EXPECT_EQ(show::ReadHostCode("1").code, 1);
    EXPECT_EQ(show::ReadHostCode("252").code, 252);
    EXPECT_EQ(show::ReadHostCode("0").status, show::HostCodeInput::kOutOfRange);
    EXPECT_EQ(show::ReadHostCode("253").status, show::HostCodeInput::kOutOfRange);
    EXPECT_EQ(show::ReadHostCode("-5").status, show::HostCodeInput::kOutOfRange);
    EXPECT_EQ(show::ReadHostCode("4294967301").status, show::HostCodeInput::kOutOfRange); // not 5
}

TEST(HostCode, LettersAloneAreZeroAndBlankOrTrailingLettersAreIgnored)
{
    EXPECT_EQ(show::ReadHostCode("abc").status, show::HostCodeInput::kOutOfRange);
    const show::HostCodeInput leadingBlank = show::ReadHostCode(" 12");
    EXPECT_EQ(leadingBlank.status, show::HostCodeInput::kValid);
    EXPECT_EQ(leadingBlank.code, 12);
    EXPECT_EQ(show::ReadHostCode("12ab").code, 12);
}
