#include "hostlink/HostLinkSocket.h"

#include "hostlink/Frames.h"
#include "tests/hostlink/HostlinkTestSupport.h"

#include <gtest/gtest.h>

using namespace hostlink;
using namespace hostlinktest;
using Reply = HostLink::Reply;
using OpenStatus = HostLink::OpenStatus;

namespace {

// A host played step by step by the test itself, on 127.0.0.1.
class ScriptedPeer
{
public:
    ScriptedPeer()
    {
        socket_ = platform::udp::OpenSocket();
        EXPECT_TRUE(platform::udp::Bind(socket_, {0x7F000001, 0}));
        port_ = platform::udp::LocalEndpoint(socket_).value().port;
    }
    ~ScriptedPeer() { platform::udp::CloseSocket(socket_); }
    ScriptedPeer(const ScriptedPeer&) = delete;
    ScriptedPeer& operator=(const ScriptedPeer&) = delete;

    std::uint16_t Port() const { return port_; }
    // Takes the next frame; false when none came.
    bool Receive()
    {
        const platform::udp::Handle sockets[] = {socket_};
        if (platform::udp::WaitReadable(sockets, 3000ms).status != platform::udp::Readiness::kReady)
            return false;
        std::array<std::uint8_t, 128> buffer{};
        return platform::udp::ReceiveFrom(socket_, buffer, client_) > 0;
    }
    void Answer(std::vector<std::uint8_t> bytes) { platform::udp::SendTo(socket_, bytes, client_); }

private:
    platform::udp::Handle socket_ = platform::udp::kNoHandle;
    std::uint16_t port_ = 0;
    platform::udp::Endpoint client_;
};

HostNameFrame NameFrame()
{
    HostNameFrame frame;
    EXPECT_TRUE(BuildHostNameFrame("abc", frame));
    return frame;
}

// Opens `link` to host 1, sends it a name frame and waits for its answer.
Reply OpenSendAndAwait(HostLinkSocket& link)
{
    EXPECT_EQ(link.Open(1), OpenStatus::kOpened);
    EXPECT_TRUE(link.Send(NameFrame().bytes));
    return link.AwaitAcknowledgement();
}

} // namespace

TEST(HostLinkOptions, BuiltInsAreTheFieldsAddressPortAndWaits)
{
    const HostLinkOptions options;
    EXPECT_EQ(options.addressPattern, "192.168.10.%i");
    EXPECT_EQ(options.port, 10061);
    EXPECT_EQ(options.sendTimeout, std::chrono::milliseconds(5000));
    EXPECT_EQ(options.receiveTimeout, std::chrono::milliseconds(5000));
    EXPECT_EQ(HostAddressText(options, 252), "192.168.10.252");
    EXPECT_EQ(HostAddressText(options, 5), "192.168.10.5");
}

TEST(HostLinkSocket, TimeOutsThatCannotBeSetStopTheOpeningAndSaySo)
{
    HostLinkOptions sendZero = LoopbackOptions(1);
    sendZero.sendTimeout = 0ms; // no time-out at all to the platform
    HostLinkSocket a(sendZero);
    EXPECT_EQ(a.Open(1), OpenStatus::kSendTimeoutFailed);
    EXPECT_FALSE(a.IsOpen());

    HostLinkOptions receiveNegative = LoopbackOptions(1);
    receiveNegative.receiveTimeout = -5ms;
    HostLinkSocket b(receiveNegative);
    EXPECT_EQ(b.Open(1), OpenStatus::kReceiveTimeoutFailed);
    EXPECT_FALSE(b.IsOpen());
}

TEST(HostLinkSocket, HostCodeOutsideTheRangeOrNoAddressGivesNoSocket)
{
    HostLinkSocket link(LoopbackOptions(1));
    EXPECT_EQ(link.Open(0), OpenStatus::kNoSocket);
    EXPECT_EQ(link.Open(253), OpenStatus::kNoSocket);
    HostLinkOptions bad = LoopbackOptions(1);
    bad.addressPattern = "127.0.0.%i.9";
    HostLinkSocket badLink(bad);
    EXPECT_EQ(badLink.Open(1), OpenStatus::kNoSocket);
}

TEST(HostLinkSocket, HostCodeChoosesTheAddress)
{
    HostLinkSocket link(LoopbackOptions(4321, 3000ms, "127.0.0.%i"));
    ASSERT_EQ(link.Open(12), OpenStatus::kOpened);
    EXPECT_EQ(platform::udp::FormatEndpoint(link.Destination()), "127.0.0.12:4321");
}

TEST(HostLinkSocket, AcceptedAndRefusedReplies)
{
    auto host = StartHost({.refuseFrame = 2});
    HostLinkSocket link(LoopbackOptions(host->Port()));
    EXPECT_EQ(OpenSendAndAwait(link), Reply::kAccepted);
    ASSERT_TRUE(link.Send(NameFrame().bytes));
    EXPECT_EQ(link.AwaitAcknowledgement(), Reply::kRefused);
}

TEST(HostLinkSocket, RepliesOtherThanOneAreRefusals)
{
    ScriptedPeer peer;
    HostLinkSocket link(LoopbackOptions(peer.Port()));
    ASSERT_EQ(link.Open(1), OpenStatus::kOpened);
    for (const std::vector<std::uint8_t>& reply :
         {std::vector<std::uint8_t>{0, 0, 0, 0}, {2, 0, 0, 0}, {1, 0, 0, 1}}) {
        ASSERT_TRUE(link.Send(NameFrame().bytes));
        ASSERT_TRUE(peer.Receive());
        peer.Answer(reply);
        EXPECT_EQ(link.AwaitAcknowledgement(), Reply::kRefused);
    }
}

TEST(HostLinkSocket, FiveByteReplyIsNoReplyEvenWhenItStartsWithOne)
{
    auto host = StartHost({.replyFiveBytes = true});
    HostLinkSocket link(LoopbackOptions(host->Port()));
    EXPECT_EQ(OpenSendAndAwait(link), Reply::kNoReply);
}

TEST(HostLinkSocket, ShortReplyIsNoReplyAndNeverCompletedByAnEarlierOne)
{
    ScriptedPeer peer;
    HostLinkSocket link(LoopbackOptions(peer.Port()));
    ASSERT_EQ(link.Open(1), OpenStatus::kOpened);
    link.ClearReply();
    ASSERT_TRUE(link.Send(NameFrame().bytes));
    ASSERT_TRUE(peer.Receive());
    peer.Answer({1, 0, 0, 0});
    ASSERT_EQ(link.AwaitAcknowledgement(), Reply::kAccepted);
    // One byte of 01: with the last reply's 00 00 00 behind it, it would read as 1.
    ASSERT_TRUE(link.Send(NameFrame().bytes));
    ASSERT_TRUE(peer.Receive());
    peer.Answer({1});
    EXPECT_EQ(link.AwaitAcknowledgement(), Reply::kNoReply);
}

TEST(HostLinkSocket, ReplyFromAnotherAddressIsIgnoredAndTheWaitGoesOn)
{
    // 127.0.0.2 says "accepted" first; the host itself refuses.
    auto host = StartHost({.refuseFrame = 1, .decoyFromAddress = "127.0.0.2"});
    HostLinkSocket link(LoopbackOptions(host->Port()));
    EXPECT_EQ(OpenSendAndAwait(link), Reply::kRefused);
    EXPECT_EQ(link.Destination().port, host->Port());
}

TEST(HostLinkSocket, OnlyAnotherAddressAnsweringIsNoReply)
{
    auto host = StartHost({.replyFromAddress = "127.0.0.2"});
    HostLinkSocket link(LoopbackOptions(host->Port(), 300ms));
    EXPECT_EQ(OpenSendAndAwait(link), Reply::kNoReply);
    EXPECT_EQ(link.Destination().address, 0x7F000001u); // never moved to 127.0.0.2
}

TEST(HostLinkSocket, ReplyFromAnotherPortOfTheHostMovesLaterFramesThere)
{
    auto host = StartHost({.replyFromOtherPort = true});
    HostLinkSocket link(LoopbackOptions(host->Port()));
    ASSERT_EQ(link.Open(1), OpenStatus::kOpened);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(link.Send(NameFrame().bytes));
        ASSERT_EQ(link.AwaitAcknowledgement(), Reply::kAccepted);
    }
    const auto records = host->Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].localPort, host->Port());
    EXPECT_EQ(records[1].localPort, host->OtherPort());
    EXPECT_EQ(records[2].localPort, host->OtherPort());
    EXPECT_EQ(link.Destination().port, host->OtherPort());
}

TEST(HostLinkSocket, ReplyWithinTheTimeOutCountsOneAfterItDoesNot)
{
    auto slow = StartHost({.replyDelay = 600ms});
    HostLinkSocket impatient(LoopbackOptions(slow->Port(), 150ms));
    EXPECT_EQ(OpenSendAndAwait(impatient), Reply::kNoReply);

    auto late = StartHost({.replyDelay = 100ms});
    HostLinkSocket patient(LoopbackOptions(late->Port(), 5000ms));
    EXPECT_EQ(OpenSendAndAwait(patient), Reply::kAccepted);
}

TEST(HostLinkSocket, DatagramWaitingBeforeASendIsNotItsReply)
{
    ScriptedPeer peer;
    HostLinkSocket link(LoopbackOptions(peer.Port()));
    ASSERT_EQ(link.Open(1), OpenStatus::kOpened);
    ASSERT_TRUE(link.Send(NameFrame().bytes));
    ASSERT_TRUE(peer.Receive());
    peer.Answer({1, 0, 0, 0});
    peer.Answer({1, 0, 0, 0}); // a duplicate, still waiting when the next frame goes
    ASSERT_EQ(link.AwaitAcknowledgement(), Reply::kAccepted);
    ASSERT_TRUE(link.Send(NameFrame().bytes));
    ASSERT_TRUE(peer.Receive());
    peer.Answer({0, 0, 0, 0});
    EXPECT_EQ(link.AwaitAcknowledgement(), Reply::kRefused);
}

TEST(HostLinkSocket, FailedSendIsReported)
{
    HostLinkSocket link(LoopbackOptions(0)); // port 0 takes no datagrams
    ASSERT_EQ(link.Open(1), OpenStatus::kOpened);
    EXPECT_FALSE(link.Send(NameFrame().bytes));
}

TEST(HostLinkSocket, ClosedLinkSendsNothingAndHearsNothing)
{
    auto host = StartHost();
    HostLinkSocket link(LoopbackOptions(host->Port()));
    ASSERT_EQ(link.Open(1), OpenStatus::kOpened);
    link.Close();
    link.Close();
    EXPECT_FALSE(link.Send(NameFrame().bytes));
    EXPECT_EQ(link.AwaitAcknowledgement(), Reply::kNoReply);
    EXPECT_TRUE(host->Records().empty());
}
