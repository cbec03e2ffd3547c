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

void ExpectRefused(const std::vector<HostListItem>& hosts, const char* text)
{
    try {
        ChooseHostName(hosts);
        ADD_FAILURE() << "a name was chosen";
    } catch (const show::Failure& failure) {
        const ShownFailure shown = Shown({ConversationResult::kFailed, failure});
        EXPECT_EQ(shown.text, text);
        EXPECT_EQ(shown.icon, MessageIcon::Stop);
    }
}

TEST(ChooseHostName, TheFirstTickedNameFromTheTopTrimmedWithItsFrame)
{
    const HostNameChoice choice = ChooseHostName({{"A", false}, {"  北-1\t", true}, {"C", true}});
    EXPECT_EQ(choice.name, "北-1");
    HostNameFrame expected;
    ASSERT_TRUE(BuildHostNameFrame("北-1", expected));
    EXPECT_EQ(choice.frame.bytes, expected.bytes);
}

TEST(ChooseHostName, NothingTickedEmptyBlankOrTooLongIsRefused)
{
    ExpectRefused({{"A", false}}, strings::kHostSettingsNoneTicked);
    ExpectRefused({}, strings::kHostSettingsNoneTicked);
    ExpectRefused({{"   ", true}}, strings::kHostSettingsBadName);
    ExpectRefused({{"\xE3\x80\x80\xE3\x80\x80", true}},
                  strings::kHostSettingsBadName); // ideographic spaces only
    EXPECT_EQ(ChooseHostName({{"\xE3\x80\x80N\xC2\xA0", true}}).name, "N");
    ExpectRefused({{kSixtyFourBytes + "a", true}}, strings::kHostSettingsBadName);
    EXPECT_NO_THROW(ChooseHostName({{kSixtyFourBytes, true}})) << "64 bytes fit";
}

TEST(ChooseHostName, NameGbkCannotEncodeGetsTheBuildersMessage)
{
    ExpectRefused({{"HOST\xF0\x9F\x8E\x86", true}}, strings::kBuildHostNameFailed);
}

} // namespace
