// The Host Settings name checks: which name goes, and why none does.
#include "hostlink/Frames.h"
#include "hostlink/SendHostName.h"
#include "resources/strings/Strings.h"
#include "tests/hostlink/HostlinkTestSupport.h"

#include <gtest/gtest.h>

using namespace hostlink;
using namespace hostlinktest;
using prompt::MessageIcon;

namespace {

const std::string kSixtyFourBytes = [] {
    std::string name;
    for (int i = 0; i < 32; ++i)
        name += "主";
    return name;
}();

void ExpectRefused(const HostNameChoice& choice, const char* text)
{
    ASSERT_TRUE(choice.failure);
    const ShownFailure shown = Shown({ConversationResult::kFailed, choice.failure});
    EXPECT_EQ(shown.text, text);
    EXPECT_EQ(shown.icon, MessageIcon::Stop);
}

TEST(ChooseHostName, TheFirstTickedNameFromTheTopTrimmedWithItsFrame)
{
    const HostNameChoice choice = ChooseHostName({{"A", false}, {"  北-1\t", true}, {"C", true}});
    ASSERT_FALSE(choice.failure);
    EXPECT_EQ(choice.name, "北-1");
    HostNameFrame expected;
    ASSERT_TRUE(BuildHostNameFrame("北-1", expected));
    EXPECT_EQ(choice.frame.bytes, expected.bytes);
}

TEST(ChooseHostName, NothingTickedEmptyBlankOrTooLongIsRefused)
{
    ExpectRefused(ChooseHostName({{"A", false}}), strings::kHostSettingsNoneTicked);
    ExpectRefused(ChooseHostName({}), strings::kHostSettingsNoneTicked);
    ExpectRefused(ChooseHostName({{"   ", true}}), strings::kHostSettingsBadName);
    ExpectRefused(ChooseHostName({{"\xE3\x80\x80\xE3\x80\x80", true}}),
                  strings::kHostSettingsBadName); // ideographic spaces only
    EXPECT_EQ(ChooseHostName({{"\xE3\x80\x80N\xC2\xA0", true}}).name, "N");
    ExpectRefused(ChooseHostName({{kSixtyFourBytes + "a", true}}), strings::kHostSettingsBadName);
    EXPECT_FALSE(ChooseHostName({{kSixtyFourBytes, true}}).failure) << "64 bytes fit";
}

TEST(ChooseHostName, NameGbkCannotEncodeGetsTheBuildersMessage)
{
    ExpectRefused(ChooseHostName({{"HOST\xF0\x9F\x8E\x86", true}}), strings::kBuildHostNameFailed);
}

} // namespace
