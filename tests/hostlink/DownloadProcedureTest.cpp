#include "hostlink/DownloadProcedure.h"

#include "resources/strings/Strings.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/support/FakePrompt.h"

#include <gtest/gtest.h>
#include <thread>

using namespace hostlink;
using namespace hostlinktest;
using prompt::MessageIcon;

namespace {

std::string Percent(int percent)
{
    return "downloaded：" + std::to_string(percent) + "％";
}

// One download against a virtual host on loopback.
class DownloadTest : public ::testing::Test
{
protected:
    testsupport::TempDir dir;
    testsupport::FakePrompt prompt;
    RecordingView view;
    std::unique_ptr<VirtualFiringHost> host;
    std::chrono::milliseconds receiveTimeout = 3000ms;
    HostLinkMaker linkMaker;
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
    bool RunAgainst(const std::string& store, HostLinkOptions options)
    {
        prompt.openFiles.push_back(store);
        DownloadProcedure download(prompt, view, std::move(options));
        if (linkMaker)
            download.SetHostLinkMaker(linkMaker);
        return download.RunDownload();
    }
    void ExpectOnlyMessage(const char* text, MessageIcon icon)
    {
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text, text);
        EXPECT_EQ(prompt.messages[0].icon, icon);
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
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(DownloadTest, ThreeCuesShow33And66And100)
{
    ASSERT_TRUE(Run(NumberedRows(3)));
    EXPECT_EQ(view.percents, (std::vector<int>{33, 66, 100, 100}));
    EXPECT_EQ(view.progressTexts,
              (std::vector<std::string>{Percent(33), Percent(66), Percent(100), Percent(100)}));
    EXPECT_EQ(view.endTexts, std::vector<std::string>{strings::kDownloadEnd});
    EXPECT_EQ(view.statusLines, std::vector<std::string>{"download total：3fire record..."});
}

TEST_F(DownloadTest, SevenCuesShowTruncatedPercents)
{
    ASSERT_TRUE(Run(NumberedRows(7)));
    EXPECT_EQ(view.percents, (std::vector<int>{14, 28, 42, 57, 71, 85, 100, 100}));
}

TEST_F(DownloadTest, LoneCueIsSentWithPositionZero)
{
    ASSERT_TRUE(Run(NumberedRows(1)));
    ASSERT_EQ(Cues().size(), 1u);
    EXPECT_EQ(Cues()[0].frame.position, 0);
    EXPECT_EQ(view.percents.front(), 100);
}

TEST_F(DownloadTest, EmptyShowSendsTheProjectNameAndEndsWithATotalOfZero)
{
    ASSERT_TRUE(Run({}));
    ASSERT_EQ(host->Records().size(), 1u);
    EXPECT_EQ(host->Records()[0].frame.kind, DecodedFrame::kProjectName);
    EXPECT_EQ(view.percents, std::vector<int>{100});
    EXPECT_EQ(view.progressTexts, std::vector<std::string>{Percent(100)});
    EXPECT_EQ(view.endTexts, std::vector<std::string>{strings::kDownloadEnd});
    EXPECT_EQ(view.statusLines, std::vector<std::string>{"download total：0fire record..."});
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

TEST_F(DownloadTest, HostCodeChoosesTheHostAndBlankOrLettersAroundItAreIgnored)
{
    VirtualHostOptions at12;
    at12.address = "127.0.0.12";
    host = StartHost(at12);
    const std::string store = NewStore(NumberedRows(2));
    for (const char* text : {" 12", "12ab"}) {
        view.hostCode = text;
        EXPECT_TRUE(RunAgainst(store, LoopbackOptions(host->Port(), 3000ms, "127.0.0.%i"))) << text;
    }
    EXPECT_EQ(host->Records().size(), 6u);
    EXPECT_TRUE(prompt.messages.empty());
}

// --- the failure table, row by row -----------------------------------------

TEST_F(DownloadTest, CancelledChooserEndsSilently)
{
    host = StartHost();
    prompt.openFiles.push_back(std::nullopt);
    DownloadProcedure download(prompt, view, LoopbackOptions(host->Port()));
    EXPECT_FALSE(download.RunDownload());
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(DownloadTest, StoreWithoutShowTableStops)
{
    host = StartHost();
    const std::string path = dir.File("empty.db");
    testsupport::MakeEmptySqliteFile(path);
    EXPECT_FALSE(RunAgainst(path, LoopbackOptions(host->Port())));
    ExpectOnlyMessage(strings::kNoLayoutTable, MessageIcon::Stop);
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(DownloadTest, UnreadableStoreIsADatabaseExceptionAndNothingIsSent)
{
    host = StartHost();
    EXPECT_FALSE(RunAgainst(dir.File("missing.db"), LoopbackOptions(host->Port())));
    ExpectOnlyMessage(strings::kDatabaseException, MessageIcon::Stop);
    EXPECT_TRUE(host->Records().empty());
    EXPECT_TRUE(view.endTexts.empty());
    EXPECT_TRUE(view.statusLines.empty());
}

TEST_F(DownloadTest, EmptyHostCodeIsAskedForAfterTheFileIsChosen)
{
    view.hostCode = "";
    EXPECT_FALSE(Run(NumberedRows(2)));
    EXPECT_EQ(prompt.openChoices.size(), 1u);
    ExpectOnlyMessage(strings::kPleaseInputHostCode, MessageIcon::Warning);
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(DownloadTest, HostCodeOutsideTheRangeIsAWarning)
{
    host = StartHost();
    const std::string store = NewStore(NumberedRows(2));
    for (const char* text : {"0", "253", "abc", " "}) {
        prompt.messages.clear();
        view.hostCode = text;
        EXPECT_FALSE(RunAgainst(store, LoopbackOptions(host->Port()))) << text;
        ExpectOnlyMessage(strings::kHostCodeOutOfRange, MessageIcon::Warning);
    }
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(DownloadTest, TimeOutThatCannotBeSetStops)
{
    host = StartHost();
    HostLinkOptions options = LoopbackOptions(host->Port());
    options.receiveTimeout = 0ms;
    EXPECT_FALSE(RunAgainst(NewStore(NumberedRows(2)), options));
    ExpectOnlyMessage(strings::kSetSocketTimeoutFailed, MessageIcon::Stop);
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(DownloadTest, SilentOrRefusingHostFailsTheProjectName)
{
    receiveTimeout = 300ms;
    EXPECT_FALSE(Run(NumberedRows(2), {.silentFrom = 1}));
    ExpectOnlyMessage(strings::kSetProjectNameFailed, MessageIcon::Warning);
    EXPECT_TRUE(Cues().empty());

    prompt.messages.clear();
    EXPECT_FALSE(Run(NumberedRows(2), {.refuseFrame = 1}));
    ExpectOnlyMessage(strings::kSetProjectNameFailed, MessageIcon::Warning);
    EXPECT_TRUE(Cues().empty());
}

TEST_F(DownloadTest, ProjectNameThatCannotBeSentEndsTheDownload)
{
    LinkLog log;
    linkMaker = FailingSendMaker(1, log);
    EXPECT_FALSE(Run(NumberedRows(2)));
    ExpectOnlyMessage(strings::kSetProjectNameFailed, MessageIcon::Warning);
    EXPECT_EQ(log.sends, 1); // no cue went after it
    EXPECT_TRUE(host->Records().empty());
    EXPECT_TRUE(view.endTexts.empty());
}

TEST_F(DownloadTest, CancelFlagStopsBeforeTheNextCue)
{
    view.cancelAfterPercents = 2;
    EXPECT_FALSE(Run(NumberedRows(5)));
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(Cues().size(), 2u);
    EXPECT_EQ(view.statusLines, std::vector<std::string>{strings::kCancelDownload});
    EXPECT_TRUE(view.endTexts.empty());
}

TEST_F(DownloadTest, CancelFlagAlreadySetSendsOnlyTheProjectName)
{
    view.cancelAfterPercents = 0;
    EXPECT_FALSE(Run(NumberedRows(3)));
    EXPECT_EQ(host->Records().size(), 1u);
    EXPECT_EQ(view.statusLines, std::vector<std::string>{strings::kCancelDownload});
}

TEST_F(DownloadTest, CueThatCannotBeBuiltStopsBeforeAnythingIsSent)
{
    std::vector<StoreRow> rows = NumberedRows(4);
    rows[2].HostName = "HOST\xF0\x9F\x8E\x86"; // no GBK form
    EXPECT_FALSE(Run(rows));
    ExpectOnlyMessage(strings::kBuildCueFailed, MessageIcon::Stop);
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(DownloadTest, HostNameLongerThanItsFieldStopsBeforeAnythingIsSent)
{
    std::vector<StoreRow> rows = NumberedRows(2);
    rows[1].HostName = std::string(65, 'H'); // written around the layer's width check
    EXPECT_FALSE(Run(rows));
    ExpectOnlyMessage(strings::kBuildCueFailed, MessageIcon::Stop);
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(DownloadTest, CueThatCannotBeSentIsReported)
{
    LinkLog log;
    linkMaker = FailingSendMaker(3, log); // the project name, cue 1, then cue 2 fails
    EXPECT_FALSE(Run(NumberedRows(4)));
    ExpectOnlyMessage(strings::kCueSendFailed, MessageIcon::Warning);
    EXPECT_EQ(log.sends, 3);
    EXPECT_EQ(Cues().size(), 1u);
    EXPECT_EQ(view.percents, std::vector<int>{25});
}

TEST_F(DownloadTest, HostFallingSilentAtCueFiveOfTenLeavesFortyPercent)
{
    receiveTimeout = 300ms;
    EXPECT_FALSE(Run(NumberedRows(10), {.silentFrom = 6})); // frame 6 is cue 5
    ExpectOnlyMessage(strings::kHostEchoTimeout, MessageIcon::Warning);
    EXPECT_EQ(view.percents.back(), 40);
    EXPECT_EQ(view.progressTexts.back(), Percent(40));
    EXPECT_EQ(host->Records().size(), 6u); // nothing after the silent cue
    EXPECT_TRUE(view.endTexts.empty());
}

TEST_F(DownloadTest, RefusedCueIsReported)
{
    EXPECT_FALSE(Run(NumberedRows(4), {.refuseFrame = 3}));
    ExpectOnlyMessage(strings::kCueRefused, MessageIcon::Warning);
    EXPECT_EQ(view.percents, std::vector<int>{25});
    EXPECT_EQ(host->Records().size(), 3u);
}

TEST_F(DownloadTest, FiveByteRepliesAreNoReplies)
{
    receiveTimeout = 300ms;
    EXPECT_FALSE(Run(NumberedRows(2), {.replyFiveBytes = true}));
    ExpectOnlyMessage(strings::kSetProjectNameFailed, MessageIcon::Warning);
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
    ExpectOnlyMessage(strings::kCueRefused, MessageIcon::Warning);
    EXPECT_EQ(view.percents, std::vector<int>{33});
}

TEST_F(DownloadTest, HostAnsweringOnlyFromAnotherAddressIsNotHeard)
{
    receiveTimeout = 300ms;
    EXPECT_FALSE(Run(NumberedRows(2), {.replyFromAddress = "127.0.0.2"}));
    ExpectOnlyMessage(strings::kSetProjectNameFailed, MessageIcon::Warning);
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
    ExpectOnlyMessage(strings::kHostAnsweredTwice, MessageIcon::Warning);
    EXPECT_TRUE(view.endTexts.empty());
}

TEST_F(DownloadTest, CancelEndsTheWaitOnASilentHostWithinHalfASecond)
{
    host = StartHost({.silentFrom = 3});
    const std::string store = NewStore(NumberedRows(5));
    bool completed = true;
    std::jthread download(
        [&] { completed = RunAgainst(store, LoopbackOptions(host->Port(), kHostTimeout)); });
    ASSERT_TRUE(host->WaitForFrames(3, 3000ms));
    const auto start = std::chrono::steady_clock::now();
    view.cancel.request_stop();
    download.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_FALSE(completed);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(view.statusLines, std::vector<std::string>{strings::kCancelDownload});
}
