#include "hostlink/SendShow.h"

#include "hostlink/FrameDigest.h"
#include "hostlink/ReadDownloadCues.h"
#include "hostlink/RecordedConversations.h"
#include "resources/strings/Strings.h"
#include "tests/hostlink/HostlinkTestSupport.h"

#include <gtest/gtest.h>
#include <thread>

using namespace hostlink;
using namespace hostlinktest;
using prompt::MessageIcon;

namespace {

// One download against a virtual host on loopback, of a store's cues as the
// dialog reads them, its progress recorded.
class DownloadTest : public ::testing::Test
{
protected:
    testsupport::TempDir dir;
    std::unique_ptr<VirtualFiringHost> host;
    std::chrono::milliseconds receiveTimeout = 3000ms;
    HostLinkMaker linkMaker = MakeHostLinkSocket;
    std::stop_source stop;
    int stopAfterPercents = -1; // >= 0: ask to stop once this many percents were reported
    std::vector<int> percents;
    DownloadResult result;
    int stores = 0;

    std::string NewStore(const std::vector<StoreRow>& rows)
    {
        return MakeShowStore(dir, rows, "show" + std::to_string(++stores) + ".db");
    }
    bool Run(const std::vector<StoreRow>& rows, VirtualHostOptions hostOptions = {})
    {
        host = StartHost(std::move(hostOptions));
        return RunAgainst(NewStore(rows), LoopbackOptions(host->Port(), receiveTimeout));
    }
    bool RunAgainst(const std::string& store, HostLinkOptions options, int hostCode = 1)
    {
        const std::vector<show::Cue> cues = ReadDownloadCues(store);
        if (stopAfterPercents == 0)
            stop.request_stop();
        const auto progress = [this](int percent) {
            percents.push_back(percent);
            if (stopAfterPercents > 0 && static_cast<int>(percents.size()) >= stopAfterPercents)
                stop.request_stop();
        };
        result =
            SendShow({{hostCode, std::move(options), stop.get_token(), linkMaker}, cues, progress});
        return result.Completed();
    }
    void ExpectFailed(const char* text, MessageIcon icon)
    {
        const ShownFailure shown = Shown(result);
        EXPECT_EQ(shown.text, text);
        EXPECT_EQ(shown.icon, icon);
    }
    std::vector<HostFrameRecord> Cues() const { return FramesOfKind(*host, DecodedFrame::kCue); }
};

} // namespace

TEST_F(DownloadTest, EveryCueGoesAfterTheProjectNameWithItsPositionCode)
{
    EXPECT_TRUE(Run(NumberedRows(3)));
    const auto records = host->Records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].frame.kind, DecodedFrame::kProjectName);
    EXPECT_EQ(records[0].frame.name, "Velmora");
    for (int i = 0; i < 3; ++i) {
        const HostFrameRecord& cue = records[static_cast<std::size_t>(i) + 1];
        EXPECT_EQ(cue.frame.kind, DecodedFrame::kCue);
        EXPECT_EQ(cue.frame.position, i);
        EXPECT_EQ(cue.frame.CDCode, i);
        EXPECT_EQ(cue.problem, "");
    }
    EXPECT_EQ(result.status, DownloadResult::kCompleted);
    EXPECT_EQ(result.acknowledged, 3u);
    EXPECT_FALSE(result.failure);
}

TEST_F(DownloadTest, ThreeCuesReport33And66And100)
{
    ASSERT_TRUE(Run(NumberedRows(3)));
    EXPECT_EQ(percents, (std::vector<int>{33, 66, 100}));
}

TEST_F(DownloadTest, SevenCuesReportTruncatedPercents)
{
    ASSERT_TRUE(Run(NumberedRows(7)));
    EXPECT_EQ(percents, (std::vector<int>{14, 28, 42, 57, 71, 85, 100}));
}

TEST_F(DownloadTest, LoneCueIsSentWithPositionZero)
{
    ASSERT_TRUE(Run(NumberedRows(1)));
    ASSERT_EQ(Cues().size(), 1u);
    EXPECT_EQ(Cues()[0].frame.position, 0);
    EXPECT_EQ(percents, std::vector<int>{100});
}

TEST_F(DownloadTest, EmptyShowSendsTheProjectNameAndCompletesWithNoCues)
{
    ASSERT_TRUE(Run({}));
    ASSERT_EQ(host->Records().size(), 1u);
    EXPECT_EQ(host->Records()[0].frame.kind, DecodedFrame::kProjectName);
    EXPECT_TRUE(percents.empty());
    EXPECT_EQ(result.acknowledged, 0u);
}

TEST_F(DownloadTest, CuesOfSeveralHostsGoInLaunchTimeOrderEachWithItsOwnName)
{
    ASSERT_TRUE(Run({{.FlowID = 0, .HostName = "北", .BlastTime = 3000, .Addr = "03"},
                     {.FlowID = 1, .HostName = "HOST", .BlastTime = 1000, .Addr = "01"},
                     {.FlowID = 2, .HostName = "南-2", .BlastTime = 2000, .Addr = "02"},
                     {.FlowID = 3, .HostName = "HOST", .BlastTime = 4000, .Addr = "0004"}}));
    const auto cues = Cues();
    ASSERT_EQ(cues.size(), 4u);
    const std::pair<const char*, int> expected[] = {
        {"HOST", 1}, {"南-2", 2}, {"北", 3}, {"HOST", 4}};
    for (std::size_t i = 0; i < cues.size(); ++i) {
        EXPECT_EQ(cues[i].frame.name, expected[i].first) << i;
        EXPECT_EQ(cues[i].frame.Addr, expected[i].second) << i;
        EXPECT_EQ(cues[i].frame.BlastTime, 1000 * expected[i].second) << i;
        EXPECT_EQ(cues[i].frame.position, i == 0 ? 0 : i == 3 ? 2 : 1) << i;
    }
}

TEST_F(DownloadTest, HostCodeChoosesTheHost)
{
    VirtualHostOptions at12;
    at12.address = "127.0.0.12";
    host = StartHost(at12);
    EXPECT_TRUE(RunAgainst(NewStore(NumberedRows(2)),
                           LoopbackOptions(host->Port(), 3000ms, "127.0.0.%i"), 12));
    EXPECT_EQ(host->Records().size(), 3u);
}

// --- the failure table, row by row -----------------------------------------

TEST_F(DownloadTest, TimeOutThatCannotBeSetStops)
{
    host = StartHost();
    HostLinkOptions options = LoopbackOptions(host->Port());
    options.receiveTimeout = 0ms;
    EXPECT_FALSE(RunAgainst(NewStore(NumberedRows(2)), options));
    ExpectFailed(strings::kSetSocketTimeoutFailed, MessageIcon::Stop);
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(DownloadTest, SilentOrRefusingHostFailsTheProjectName)
{
    receiveTimeout = 300ms;
    EXPECT_FALSE(Run(NumberedRows(2), {.silentFrom = 1}));
    ExpectFailed(strings::kSetProjectNameFailed, MessageIcon::Warning);
    EXPECT_TRUE(Cues().empty());

    EXPECT_FALSE(Run(NumberedRows(2), {.refuseFrame = 1}));
    ExpectFailed(strings::kSetProjectNameFailed, MessageIcon::Warning);
    EXPECT_TRUE(Cues().empty());
}

TEST_F(DownloadTest, ProjectNameThatCannotBeSentEndsTheDownload)
{
    LinkLog log;
    linkMaker = FailingSendMaker(1, log);
    EXPECT_FALSE(Run(NumberedRows(2)));
    ExpectFailed(strings::kSetProjectNameFailed, MessageIcon::Warning);
    EXPECT_EQ(log.sends, 1); // no cue went after it
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(DownloadTest, StopEndsItBeforeTheNextCue)
{
    stopAfterPercents = 2;
    EXPECT_FALSE(Run(NumberedRows(5)));
    EXPECT_EQ(result.status, DownloadResult::kCancelled);
    EXPECT_FALSE(result.failure);
    EXPECT_EQ(result.acknowledged, 2u);
    EXPECT_EQ(Cues().size(), 2u);
}

TEST_F(DownloadTest, StopAskedForBeforeItStartsSendsOnlyTheProjectName)
{
    stopAfterPercents = 0;
    EXPECT_FALSE(Run(NumberedRows(3)));
    EXPECT_EQ(host->Records().size(), 1u);
    EXPECT_EQ(result.status, DownloadResult::kCancelled);
}

TEST_F(DownloadTest, CueThatCannotBeBuiltStopsBeforeAnythingIsSent)
{
    std::vector<StoreRow> rows = NumberedRows(4);
    rows[2].HostName = "HOST\xF0\x9F\x8E\x86"; // no GBK form
    EXPECT_FALSE(Run(rows));
    ExpectFailed(strings::kBuildCueFailed, MessageIcon::Stop);
    EXPECT_EQ(result.failure->Row(), 3) << "its place in launch-time order";
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(DownloadTest, HostNameLongerThanItsFieldStopsBeforeAnythingIsSent)
{
    std::vector<StoreRow> rows = NumberedRows(2);
    rows[1].HostName = std::string(65, 'H'); // written around the layer's width check
    EXPECT_FALSE(Run(rows));
    ExpectFailed(strings::kBuildCueFailed, MessageIcon::Stop);
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(DownloadTest, CueThatCannotBeSentIsReported)
{
    LinkLog log;
    linkMaker = FailingSendMaker(3, log); // the project name, cue 1, then cue 2 fails
    EXPECT_FALSE(Run(NumberedRows(4)));
    ExpectFailed(strings::kCueSendFailed, MessageIcon::Warning);
    EXPECT_EQ(log.sends, 3);
    EXPECT_EQ(Cues().size(), 1u);
    EXPECT_EQ(percents, std::vector<int>{25});
    EXPECT_EQ(result.acknowledged, 1u);
}

TEST_F(DownloadTest, HostFallingSilentAtCueFiveOfTenLeavesFortyPercent)
{
    receiveTimeout = 300ms;
    EXPECT_FALSE(Run(NumberedRows(10), {.silentFrom = 6})); // frame 6 is cue 5
    ExpectFailed(strings::kHostEchoTimeout, MessageIcon::Warning);
    EXPECT_EQ(percents.back(), 40);
    EXPECT_EQ(host->Records().size(), 6u); // nothing after the silent cue
}

TEST_F(DownloadTest, RefusedCueIsReported)
{
    EXPECT_FALSE(Run(NumberedRows(4), {.refuseFrame = 3}));
    ExpectFailed(strings::kCueRefused, MessageIcon::Warning);
    EXPECT_EQ(percents, std::vector<int>{25});
    EXPECT_EQ(host->Records().size(), 3u);
}

TEST_F(DownloadTest, FiveByteRepliesAreNoReplies)
{
    receiveTimeout = 300ms;
    EXPECT_FALSE(Run(NumberedRows(2), {.replyFiveBytes = true}));
    ExpectFailed(strings::kSetProjectNameFailed, MessageIcon::Warning);
}

// --- where replies come from -------------------------------------------------

TEST_F(DownloadTest, ReplyFromAnotherPortOfTheHostIsFollowed)
{
    ASSERT_TRUE(Run(NumberedRows(3), {.replyFromOtherPort = true}));
    const auto records = host->Records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].localPort, host->Port());
    for (std::size_t i = 1; i < records.size(); ++i)
        EXPECT_EQ(records[i].localPort, host->OtherPort()) << i;
}

TEST_F(DownloadTest, AcknowledgementFromAnotherAddressDoesNotCount)
{
    // 127.0.0.2 says "accepted" before each reply; the host refuses cue 2.
    EXPECT_FALSE(Run(NumberedRows(3), {.refuseFrame = 3, .decoyFromAddress = "127.0.0.2"}));
    ExpectFailed(strings::kCueRefused, MessageIcon::Warning);
    EXPECT_EQ(percents, std::vector<int>{33});
}

TEST_F(DownloadTest, HostAnsweringOnlyFromAnotherAddressIsNotHeard)
{
    receiveTimeout = 300ms;
    EXPECT_FALSE(Run(NumberedRows(2), {.replyFromAddress = "127.0.0.2"}));
    ExpectFailed(strings::kSetProjectNameFailed, MessageIcon::Warning);
    EXPECT_EQ(host->Records().size(), 1u); // nothing went to 127.0.0.2's port either
}

TEST(DownloadPercent, IntegerPartOfTheShare)
{
    EXPECT_EQ(DownloadPercent(1, 3), 33);
    EXPECT_EQ(DownloadPercent(2, 3), 66);
    EXPECT_EQ(DownloadPercent(3, 3), 100);
    EXPECT_EQ(DownloadPercent(4, 7), 57);
    EXPECT_EQ(DownloadPercent(0, 0), 100);
}

TEST_F(DownloadTest, HostAnsweringTwiceFailsThoughItsLastFrameWentUnanswered)
{
    // Frame 21 is never answered: only a second answer to frame 20 could
    // pass for its acknowledgement.
    EXPECT_FALSE(Run(NumberedRows(20), {.silentFrom = 21, .answerTwice = true}));
    ExpectFailed(strings::kHostAnsweredTwice, MessageIcon::Warning);
}

// A second answer to one frame passes for the next frame's, and every answer
// after it for the frame after its own; only the one answer too many after
// the last frame gives the host away. With the field's own end wait.
TEST_F(DownloadTest, AnAnswerBeyondOnePerFrameFailsTheDownloadThoughEveryCueSeemedAccepted)
{
    struct Case
    {
        const char* what;
        int cues;
        VirtualHostOptions host;
    };
    const Case cases[] = {
        {"frame 2 twice, frame 3 refused 300 ms late",
         2,
         {.refuseFrame = 3, .lateFrames = {{3, 300ms}}, .repeatedFrames = {{2, 30ms}}}},
        {"frame 4 twice, the last cue refused 150 ms late",
         5,
         {.refuseFrame = 6, .lateFrames = {{6, 150ms}}, .repeatedFrames = {{4, 30ms}}}},
        {"frame 2 twice, frame 3 refused 700 ms late",
         2,
         {.refuseFrame = 3, .lateFrames = {{3, 700ms}}, .repeatedFrames = {{2, 30ms}}}},
        {"a refusal taken for the next frame's, then that frame's answer",
         3,
         {.refuseFrame = 3, .lateFrames = {{3, 100ms}}, .repeatedFrames = {{2, 30ms}}}},
        // Its answer to the last frame comes as late as all its answers do.
        {"a slow host answering frame 2 twice",
         2,
         {.replyDelay = 1200ms, .repeatedFrames = {{2, 30ms}}}},
    };
    for (const Case& c : cases) {
        host = StartHost(c.host);
        HostLinkOptions options = LoopbackOptions(host->Port(), kHostTimeout);
        options.endWait = kEndWait;
        EXPECT_FALSE(RunAgainst(NewStore(NumberedRows(c.cues)), options)) << c.what;
        ExpectFailed(strings::kHostAnsweredTwice, MessageIcon::Warning);
        const store::HostRecord record = ShowRecord({.hostCode = 1}, result);
        EXPECT_EQ(record.Outcome, store::kOutcomeFailed) << c.what;
        EXPECT_EQ(record.FailedAtFrame, 0) << c.what << ": where it failed is not known";
    }
}

TEST_F(DownloadTest, StopDuringTheEndWaitLeavesTheDownloadUnconfirmed)
{
    stopAfterPercents = 3;
    host = StartHost();
    HostLinkOptions options = LoopbackOptions(host->Port());
    options.endWait = kEndWait;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(RunAgainst(NewStore(NumberedRows(3)), options));
    EXPECT_LT(std::chrono::steady_clock::now() - start, kEndWait);
    EXPECT_EQ(result.status, DownloadResult::kCancelled);
    EXPECT_EQ(result.acknowledged, 3u);
    EXPECT_FALSE(ShowRecord({.hostCode = 1}, result).Completed());
}

TEST_F(DownloadTest, StopEndsTheWaitOnASilentHostWithinHalfASecond)
{
    host = StartHost({.silentFrom = 3});
    const std::string store = NewStore(NumberedRows(5));
    bool completed = true;
    std::jthread download(
        [&] { completed = RunAgainst(store, LoopbackOptions(host->Port(), kHostTimeout)); });
    ASSERT_TRUE(host->WaitForFrames(3, 3000ms));
    const auto start = std::chrono::steady_clock::now();
    stop.request_stop();
    download.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_FALSE(completed);
    EXPECT_EQ(result.status, DownloadResult::kCancelled);
    EXPECT_EQ(result.acknowledged, 1u);
}

// The record of a download: the digest of exactly the frames acknowledged,
// which for the whole show is the digest of the show as it stands.
TEST_F(DownloadTest, ItsRecordHoldsTheDigestOfTheFramesAcknowledged)
{
    const std::vector<StoreRow> rows = NumberedRows(4);
    ASSERT_TRUE(Run(rows));
    const std::vector<show::Cue> cues = ReadDownloadCues(NewStore(rows));
    EXPECT_EQ(result.frames, 5u);
    EXPECT_EQ(result.framesAcknowledged, 5u);
    EXPECT_EQ(std::optional<std::string>(result.digest), ShowDigest(cues));
    const store::HostRecord whole = ShowRecord({.hostCode = 1}, result);
    EXPECT_TRUE(whole.Completed());
    EXPECT_TRUE(whole.AtField);
    EXPECT_EQ(whole.Address, "192.168.10.1");

    EXPECT_FALSE(Run(rows, {.refuseFrame = 3}));
    EXPECT_EQ(result.framesAcknowledged, 2u); // the project name and cue 1
    EXPECT_NE(std::optional<std::string>(result.digest), ShowDigest(cues));
    const store::HostRecord part =
        ShowRecord({.hostCode = 1, .link = LoopbackOptions(host->Port())}, result);
    EXPECT_FALSE(part.AtField);
    EXPECT_EQ(part.Outcome, store::kOutcomeFailed);
    EXPECT_EQ(part.Failure, "download-cue-refused");
    EXPECT_EQ(part.FailedAtFrame, 3);
    EXPECT_EQ(part.Frames, 5);

    std::vector<show::Cue> moved = cues;
    moved[3].BlastTime += 1;
    EXPECT_NE(ShowDigest(moved), ShowDigest(cues)) << "a launch time moved is another show";
}
