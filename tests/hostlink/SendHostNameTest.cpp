#include "hostlink/SendHostName.h"

#include "hostlink/Frames.h"
#include "resources/strings/Strings.h"
#include "tests/hostlink/HostlinkTestSupport.h"

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
    std::unique_ptr<VirtualFiringHost> host;
    std::chrono::milliseconds receiveTimeout = 3000ms;
    HostLinkMaker linkMaker = MakeHostLinkSocket;
    ConversationResult result;

    bool Set(const std::string& name, VirtualHostOptions hostOptions = {})
    {
        host = StartHost(std::move(hostOptions));
        return SetAt(name, LoopbackOptions(host->Port(), receiveTimeout));
    }
    bool SetAt(const std::string& name, HostLinkOptions options, int hostCode = 1)
    {
        const HostNameChoice choice = ChooseHostName({{name, true}});
        result = SendHostName({{hostCode, std::move(options), {}, linkMaker}, choice.frame});
        return result.Completed();
    }
    void ExpectFailed(const char* text)
    {
        const ShownFailure shown = Shown(result);
        EXPECT_EQ(shown.text, text);
        EXPECT_EQ(shown.icon, MessageIcon::Stop);
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

TEST_F(HostNameSettingTest, TheNameIsSentAndTheHostAccepts)
{
    EXPECT_TRUE(Set("北-1"));
    EXPECT_FALSE(result.failure);
    EXPECT_EQ(NamesReceived(), std::vector<std::string>{"北-1"});
    ASSERT_EQ(host->Records().size(), 1u); // the command frames are never sent
}

TEST_F(HostNameSettingTest, SixtyFourBytesFillTheField)
{
    EXPECT_TRUE(Set(ThirtyTwoChineseCharacters()));
    EXPECT_EQ(NamesReceived(), std::vector<std::string>{ThirtyTwoChineseCharacters()});
}

TEST_F(HostNameSettingTest, HostCode252IsTheLastAddress)
{
    host = StartHost({.address = "127.0.0.252"});
    EXPECT_TRUE(SetAt("A", LoopbackOptions(host->Port(), 3000ms, "127.0.0.%i"), 252));
    EXPECT_EQ(host->Records().size(), 1u);
}

TEST_F(HostNameSettingTest, EachTimeOutHasItsOwnMessage)
{
    host = StartHost();
    HostLinkOptions sendFails = LoopbackOptions(host->Port());
    sendFails.sendTimeout = 0ms;
    EXPECT_FALSE(SetAt("A", sendFails));
    ExpectFailed(strings::kHostSettingsSendTimeoutFailed);

    HostLinkOptions receiveFails = LoopbackOptions(host->Port());
    receiveFails.receiveTimeout = 0ms;
    EXPECT_FALSE(SetAt("A", receiveFails));
    ExpectFailed(strings::kHostSettingsRecvTimeoutFailed);
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
        EXPECT_FALSE(Set("A", fault));
        ExpectFailed(strings::kHostSettingsFailed);
    }
}

TEST_F(HostNameSettingTest, FailedSendFails)
{
    LinkLog log;
    linkMaker = FailingSendMaker(1, log);
    EXPECT_FALSE(Set("A"));
    ExpectFailed(strings::kHostSettingsFailed);
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(HostNameSettingTest, HostAnsweringTwiceFails)
{
    EXPECT_FALSE(Set("A", {.answerTwice = true}));
    ExpectFailed(strings::kHostSettingsAnsweredTwice);
    // A second answer long after the first is heard within the end wait.
    host = StartHost({.repeatedFrames = {{1, 700ms}}});
    HostLinkOptions options = LoopbackOptions(host->Port());
    options.endWait = kEndWait;
    EXPECT_FALSE(SetAt("A", options));
    ExpectFailed(strings::kHostSettingsAnsweredTwice);
}

TEST_F(HostNameSettingTest, StopEndsTheWaitOnASilentHostWithoutAFailure)
{
    host = StartHost({.silentFrom = 1});
    std::stop_source stop;
    stop.request_stop();
    const HostNameChoice choice = ChooseHostName({{"A", true}});
    result = SendHostName(
        {{1, LoopbackOptions(host->Port(), kHostTimeout), stop.get_token()}, choice.frame});
    EXPECT_EQ(result.status, ConversationResult::kCancelled);
    EXPECT_FALSE(result.failure);
}
