#include "hostlink/HostNameSetting.h"

#include "hostlink/Frames.h"
#include "resources/strings/Strings.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/support/FakePrompt.h"

#include <gtest/gtest.h>

using namespace hostlink;
using namespace hostlinktest;
using prompt::MessageIcon;

namespace {

std::string ThirtyTwoChineseCharacters()
{
    std::string name;
    for (int i = 0; i < 32; ++i)
        name += "主";
    return name;
}

class HostNameSettingTest : public ::testing::Test
{
protected:
    testsupport::FakePrompt prompt;
    std::unique_ptr<VirtualFiringHost> host;
    std::chrono::milliseconds receiveTimeout = 3000ms;
    HostLinkMaker linkMaker;

    bool Set(const std::vector<HostListItem>& list, const std::string& code,
             VirtualHostOptions hostOptions = {})
    {
        host = StartHost(std::move(hostOptions));
        HostNameSetting setting(prompt, LoopbackOptions(host->Port(), receiveTimeout));
        if (linkMaker)
            setting.SetHostLinkMaker(linkMaker);
        return setting.SetHost(list, code);
    }
    void ExpectOnlyMessage(const char* text, MessageIcon icon)
    {
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text, text);
        EXPECT_EQ(prompt.messages[0].icon, icon);
    }
    std::vector<std::string> NamesReceived() const
    {
        std::vector<std::string> names;
        for (const HostFrameRecord& record : FramesOfKind(*host, DecodedFrame::kHostName))
            names.push_back(record.frame.name);
        return names;
    }
};

} // namespace

TEST_F(HostNameSettingTest, TickedNameIsSentAndTheHostsAcceptanceShown)
{
    EXPECT_TRUE(Set({{"HOST", false}, {"  北-1\t", true}}, "1"));
    ExpectOnlyMessage(strings::kHostSettingsDone, MessageIcon::Information);
    EXPECT_EQ(NamesReceived(), std::vector<std::string>{"北-1"}); // trimmed
    ASSERT_EQ(host->Records().size(), 1u); // the command frames are never sent
}

TEST_F(HostNameSettingTest, FirstTickedFromTheTopWins)
{
    EXPECT_TRUE(Set({{"A", false}, {"B", true}, {"C", true}}, "1"));
    EXPECT_EQ(NamesReceived(), std::vector<std::string>{"B"});
}

TEST_F(HostNameSettingTest, NothingTickedComesBeforeTheHostCode)
{
    EXPECT_FALSE(Set({{"A", false}}, ""));
    ExpectOnlyMessage(strings::kHostSettingsNoneTicked, MessageIcon::Stop);
    prompt.messages.clear();
    EXPECT_FALSE(Set({}, "1"));
    ExpectOnlyMessage(strings::kHostSettingsNoneTicked, MessageIcon::Stop);
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(HostNameSettingTest, SixtyFourBytesFitSixtyFiveDoNot)
{
    EXPECT_TRUE(Set({{ThirtyTwoChineseCharacters(), true}}, "1"));
    EXPECT_EQ(NamesReceived(), std::vector<std::string>{ThirtyTwoChineseCharacters()});

    prompt.messages.clear();
    EXPECT_FALSE(Set({{ThirtyTwoChineseCharacters() + "a", true}}, "1"));
    ExpectOnlyMessage(strings::kHostSettingsBadName, MessageIcon::Stop);
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(HostNameSettingTest, BlankNameIsRefused)
{
    EXPECT_FALSE(Set({{"   ", true}}, "1"));
    ExpectOnlyMessage(strings::kHostSettingsBadName, MessageIcon::Stop);
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(HostNameSettingTest, NameGbkCannotEncodeGetsTheBuildersMessage)
{
    EXPECT_FALSE(Set({{"HOST\xF0\x9F\x8E\x86", true}}, "1"));
    ExpectOnlyMessage(strings::kBuildHostNameFailed, MessageIcon::Stop);
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(HostNameSettingTest, HostCodeChecks)
{
    EXPECT_FALSE(Set({{"A", true}}, ""));
    ExpectOnlyMessage(strings::kHostSettingsNoCode, MessageIcon::Warning);
    for (const char* code : {"0", "253", "x"}) {
        prompt.messages.clear();
        EXPECT_FALSE(Set({{"A", true}}, code)) << code;
        ExpectOnlyMessage(strings::kHostSettingsBadCode, MessageIcon::Warning);
    }
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(HostNameSettingTest, HostCode252IsTheLastAddress)
{
    host = StartHost({.address = "127.0.0.252"});
    HostNameSetting setting(prompt, LoopbackOptions(host->Port(), 3000ms, "127.0.0.%i"));
    EXPECT_TRUE(setting.SetHost({{"A", true}}, "252"));
    EXPECT_EQ(host->Records().size(), 1u);
}

TEST_F(HostNameSettingTest, EachTimeOutHasItsOwnMessage)
{
    host = StartHost();
    HostLinkOptions sendFails = LoopbackOptions(host->Port());
    sendFails.sendTimeout = 0ms;
    EXPECT_FALSE(HostNameSetting(prompt, sendFails).SetHost({{"A", true}}, "1"));
    ExpectOnlyMessage(strings::kHostSettingsSendTimeoutFailed, MessageIcon::Stop);

    prompt.messages.clear();
    HostLinkOptions receiveFails = LoopbackOptions(host->Port());
    receiveFails.receiveTimeout = 0ms;
    EXPECT_FALSE(HostNameSetting(prompt, receiveFails).SetHost({{"A", true}}, "1"));
    ExpectOnlyMessage(strings::kHostSettingsRecvTimeoutFailed, MessageIcon::Stop);
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(HostNameSettingTest, SilentRefusingOrMisbehavingHostFails)
{
    receiveTimeout = 300ms;
    const VirtualHostOptions faults[] = {{.silentFrom = 1},
                                         {.refuseFrame = 1},
                                         {.replyFiveBytes = true},
                                         {.replyFromAddress = "127.0.0.2"}};
    for (const VirtualHostOptions& fault : faults) {
        prompt.messages.clear();
        EXPECT_FALSE(Set({{"A", true}}, "1", fault));
        ExpectOnlyMessage(strings::kHostSettingsFailed, MessageIcon::Stop);
    }
}

TEST_F(HostNameSettingTest, FailedSendFails)
{
    LinkLog log;
    linkMaker = FailingSendMaker(1, log);
    EXPECT_FALSE(Set({{"A", true}}, "1"));
    ExpectOnlyMessage(strings::kHostSettingsFailed, MessageIcon::Stop);
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(HostNameSettingTest, SendHostNameTakesABuiltFrame)
{
    host = StartHost();
    HostNameFrame frame;
    ASSERT_TRUE(BuildHostNameFrame("abc", frame));
    HostNameSetting setting(prompt, LoopbackOptions(host->Port()));
    EXPECT_TRUE(setting.SendHostName(frame, "7"));
    ASSERT_EQ(host->Records().size(), 1u);
    EXPECT_EQ(host->Records()[0].frame.name, "abc");
}

TEST_F(HostNameSettingTest, HostAnsweringTwiceFails)
{
    EXPECT_FALSE(Set({{"A", true}}, "1", {.answerTwice = true}));
    ExpectOnlyMessage(strings::kHostSettingsAnsweredTwice, MessageIcon::Stop);
}
