#include "platform/Gbk.h"

#include <gtest/gtest.h>

using platform::GbkToUtf8;
using platform::Utf8ToGbk;

TEST(Gbk, ChineseTextAndFullWidthPunctuationBecomeTheirGbkBytes)
{
    EXPECT_EQ(platform::Utf8ToGbk("烟花"), std::string("\xD1\xCC\xBB\xA8"));
    EXPECT_EQ(platform::Utf8ToGbk("％：，"), std::string("\xA3\xA5\xA3\xBA\xA3\xAC"));
    EXPECT_EQ(platform::Utf8ToGbk("HOST 1"), std::string("HOST 1"));
    EXPECT_EQ(platform::Utf8ToGbk(""), std::string());
}

TEST(Gbk, CharacterWithoutGbkFormIsRefusedNotSubstituted)
{
    EXPECT_EQ(platform::Utf8ToGbk("HOST \xF0\x9F\x8E\x86"), std::nullopt); // a firework emoji
    EXPECT_EQ(platform::Utf8ToGbk("\xE0\xB8\x81"), std::nullopt);          // Thai
}

TEST(Gbk, MalformedUtf8IsRefused)
{
    EXPECT_EQ(platform::Utf8ToGbk("ab\xC3"), std::nullopt);
    EXPECT_EQ(platform::Utf8ToGbk("\xFF"), std::nullopt);
}

TEST(Gbk, DecodingIsStrictAndRoundTrips)
{
    EXPECT_EQ(platform::GbkToUtf8("\xD1\xCC\xBB\xA8"), std::string("烟花"));
    EXPECT_EQ(platform::GbkToUtf8("\x81"), std::nullopt);     // a lead byte cut off
    EXPECT_EQ(platform::GbkToUtf8("\xFF\xFF"), std::nullopt); // not GBK at all
    const std::string name = "主机-7 Ω";
    EXPECT_EQ(platform::GbkToUtf8(platform::Utf8ToGbk(name).value()), name);
}

TEST(Gbk, EachCallStartsFromAFreshState)
{
    // A failed conversion must not leave anything behind for the next one.
    EXPECT_EQ(platform::Utf8ToGbk("ab\xC3"), std::nullopt);
    EXPECT_EQ(platform::Utf8ToGbk("ab"), std::string("ab"));
}
