#include "show/LaunchTime.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatLaunchTime, ShortFormBelowAnHour)
{
    EXPECT_EQ(show::FormatLaunchTime(0), "00:00.000");
    EXPECT_EQ(show::FormatLaunchTime(999), "00:00.999");
    EXPECT_EQ(show::FormatLaunchTime(65432), "01:05.432");
    EXPECT_EQ(show::FormatLaunchTime(3599999), "59:59.999");
}

TEST(FormatLaunchTime, LongFormFromAnHourWithUnboundedHours)
{
    EXPECT_EQ(show::FormatLaunchTime(3600000), "01:00:00.000");
    EXPECT_EQ(show::FormatLaunchTime(3723004), "01:02:03.004");
    EXPECT_EQ(show::FormatLaunchTime(359999999), "99:59:59.999");
    EXPECT_EQ(show::FormatLaunchTime(360000000), "100:00:00.000");
    EXPECT_EQ(show::FormatLaunchTime(INT32_MAX), "596:31:23.647");
}

TEST(FormatLaunchTime, NegativeTimesAreSignedAndReadBack)
{
    EXPECT_EQ(show::FormatLaunchTime(-1), "-00:00.001");
    EXPECT_EQ(show::FormatLaunchTime(-1500), "-00:01.500");
    EXPECT_EQ(show::FormatLaunchTime(-3600000), "-01:00:00.000");
    EXPECT_EQ(show::FormatLaunchTime(INT32_MIN), "-596:31:23.648");
    for (const std::int32_t t : {-1, -1500, -3600000, -3723004, INT32_MIN, INT32_MAX})
        EXPECT_EQ(show::ParseLaunchTime(show::FormatLaunchTime(t)), t) << t;
    EXPECT_EQ(show::ParseLaunchTime("00:-1.-500"), -1500) << "as earlier versions wrote it";
    for (const char* bad : {"-", "--00:01.500", "-00:-1.500", "-596:31:23.649", "- 00:01.500"})
        EXPECT_FALSE(show::ParseLaunchTime(bad)) << bad;
}

} // namespace
