// The rehearsal's links: every host code on 127.0.0.1 at a port of its own,
// never anywhere else, never recorded as the field's; and the virtual host's
// fault of refusing one cue of each download.
#include "hostlink/Rehearsal.h"

#include "hostlink/HostLinkSocket.h"
#include "hostlink/RecordedConversations.h"
#include "hostlink/RehearsalHosts.h"
#include "hostlink/SendShow.h"
#include "show/HostCode.h"
#include "tests/hostlink/HostlinkTestSupport.h"

#include <gtest/gtest.h>

using namespace hostlink;
using namespace hostlinktest;

namespace {

TEST(Rehearsal, EveryHostCodeIsOnLoopbackAtItsOwnPort)
{
    for (int code = show::kLowestHostCode; code <= show::kHighestHostCode; ++code) {
        const HostLinkOptions link = RehearsalLink(code);
        EXPECT_EQ(HostAddressText(link, code), "127.0.0.1") << code;
        EXPECT_EQ(link.port, 10061 + code) << code;
        EXPECT_TRUE(link.rehearsal);
        EXPECT_FALSE(AtFieldAddress(link, code)) << code;
    }
    EXPECT_EQ(DestinationText(RehearsalLink(5), 5), "127.0.0.1:10066");
    EXPECT_EQ(DestinationText(HostLinkOptions{}, 5), "192.168.10.5") << "the field's as it was";
}

TEST(Rehearsal, LinksKeepTheWaitsButNeverTheAddress)
{
    HostLinkOptions elsewhere; // the field's address and port, a test's waits
    elsewhere.receiveTimeout = 123ms;
    elsewhere.endWait = 45ms;
    const auto links = RehearsalLinks([elsewhere](int) { return elsewhere; });
    const HostLinkOptions link = links(7);
    EXPECT_EQ(HostAddressText(link, 7), "127.0.0.1");
    EXPECT_EQ(link.port, 10068);
    EXPECT_EQ(link.receiveTimeout, 123ms);
    EXPECT_EQ(link.endWait, 45ms);
    EXPECT_EQ(RehearsalLinks({})(7).receiveTimeout, kHostTimeout);
}

// A link marked as a rehearsal's with any other address gets no socket, so
// not one datagram can go (nothing is sent here: Open refuses first).
TEST(Rehearsal, ItsSocketOpensForNoOtherAddress)
{
    HostLinkOptions field;
    field.rehearsal = true;
    HostLinkSocket toField(field);
    EXPECT_EQ(toField.Open(5), HostLink::OpenStatus::kNoSocket);
    const std::uint8_t frame[4] = {};
    EXPECT_FALSE(toField.Send(frame));

    HostLinkOptions other = field;
    other.addressPattern = "127.0.0.2"; // loopback, yet not the rehearsal's
    HostLinkSocket toOther(other);
    EXPECT_EQ(toOther.Open(5), HostLink::OpenStatus::kNoSocket);

    HostLinkSocket rehearsal(RehearsalLink(5));
    EXPECT_EQ(rehearsal.Open(5), HostLink::OpenStatus::kOpened);
    EXPECT_EQ(platform::udp::FormatEndpoint(rehearsal.Destination()), "127.0.0.1:10066");
}

TEST(Rehearsal, ItsRecordsAreNeverTheFields)
{
    HostLinkOptions marked; // the field's address and port, yet a rehearsal's
    marked.rehearsal = true;
    EXPECT_FALSE(AtFieldAddress(marked, 5));
    EXPECT_TRUE(AtFieldAddress(HostLinkOptions{}, 5));
    const store::HostRecord record = ShowRecord({5, RehearsalLink(5)}, DownloadResult{});
    EXPECT_FALSE(record.AtField);
    EXPECT_EQ(record.Address, "127.0.0.1");
    EXPECT_EQ(record.Port, 10066);
}

TEST(Rehearsal, VirtualHostCommandLines)
{
    using Fault = VirtualHostFault;
    const std::vector<std::string> plain = {"--address", "127.0.0.1", "--port", "10066", "--hex"};
    EXPECT_EQ(VirtualHostCommandLine(5, {}), plain);
    const auto with = [&plain](std::vector<std::string> more) {
        std::vector<std::string> line = plain;
        line.insert(line.end(), more.begin(), more.end());
        return line;
    };
    EXPECT_EQ(VirtualHostCommandLine(5, {Fault::kRefuseCue, 3}), with({"--refuse-cue", "3"}));
    EXPECT_EQ(VirtualHostCommandLine(5, {Fault::kSilentFrom, 4}), with({"--silent-from", "4"}));
    EXPECT_EQ(VirtualHostCommandLine(5, {Fault::kLate, 2, 7000}), with({"--late-frame", "2:7000"}));
}

// Cue K of every download is refused, counted afresh after each project name.
TEST(Rehearsal, VirtualHostRefusesTheKthCueOfEachDownload)
{
    const std::unique_ptr<VirtualFiringHost> host = StartHost({.refuseCue = 2});
    const std::vector<show::Cue> cues = FieldCues(3, {"A"});
    for (int download = 0; download < 2; ++download) {
        SCOPED_TRACE(download);
        const DownloadResult result = SendShow({{1, LoopbackOptions(host->Port())}, cues, {}});
        ASSERT_TRUE(result.failure);
        EXPECT_EQ(result.failure->Code(), show::FailureCode::kDownloadCueRefused);
        EXPECT_EQ(result.framesAcknowledged, 2u) << "the project name and the first cue";
    }
}

} // namespace
