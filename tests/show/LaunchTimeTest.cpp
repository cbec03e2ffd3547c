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

TEST(FormatLaunchTime, NegativeTimesKeepTheShortFormWithSignedParts)
{
    EXPECT_EQ(show::FormatLaunchTime(-1500), "00:-1.-500");
    EXPECT_EQ(show::FormatLaunchTime(-3600000), "00:00.000");
    EXPECT_EQ(show::FormatLaunchTime(INT32_MIN), "-31:-23.-648");
}

} // namespace
