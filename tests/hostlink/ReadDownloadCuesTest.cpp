#include "hostlink/ReadDownloadCues.h"

#include "hostlink/FrameDigest.h"
#include "hostlink/FrameLayout.h"
#include "hostlink/Frames.h"
#include "messages/FailureMessage.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "tests/hostlink/HostlinkTestSupport.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace hostlink;
using namespace hostlinktest;

namespace {

// A SQLite file in `dir` holding only what `sql` makes.
std::string StoreMadeBy(const testsupport::TempDir& dir, const std::string& sql)
{
    return testsupport::MakeSqliteFile(dir.File("made.db"), sql);
}

// Loading `path` gives no cues but a failure that the Download dialog shows
// as `text`, with the stop icon.
void ExpectLoadFails(const std::string& path, const char* text)
{
    SCOPED_TRACE(path);
    ExpectStopShown([&path] { ReadDownloadCues(path); }, messages::Doing::kDownloading, text);
}

// What a cue frame carries of a cue.
struct SentFields
{
    std::string HostName;
    int BlastTime = 0;
    std::string Addr;
    std::string Channel;
    int CDCode = 0;
    int Sector = 0;
};

void ExpectSentFields(const show::Cue& cue, const SentFields& expected)
{
    EXPECT_EQ(cue.HostName, expected.HostName);
    EXPECT_EQ(cue.BlastTime, expected.BlastTime);
    EXPECT_EQ(cue.Addr, expected.Addr);
    EXPECT_EQ(cue.Channel, expected.Channel);
    EXPECT_EQ(cue.CDCode, expected.CDCode);
    EXPECT_EQ(cue.Sector, expected.Sector);
}

} // namespace

TEST(ReadDownloadCues, ReadsEveryFieldInLaunchTimeOrder)
{
    testsupport::TempDir dir;
    const std::string path = MakeShowStore(dir, {{.FlowID = 0,
                                                  .HostName = "B",
                                                  .BlastTime = 5000,
                                                  .Addr = "12",
                                                  .Channel = "03",
                                                  .CDCode = 7,
                                                  .Sector = 2},
                                                 {.FlowID = 1,
                                                  .HostName = "主机A",
                                                  .BlastTime = 1000,
                                                  .Addr = std::nullopt,
                                                  .Channel = std::nullopt,
                                                  .CDCode = 3,
                                                  .Sector = 0}});
    const std::vector<show::Cue> cues = ReadDownloadCues(path);
    ASSERT_EQ(cues.size(), 2u);
    ExpectSentFields(cues[0], {"主机A", 1000, "", "", 3, 0});
    EXPECT_EQ(cues[0].FlowID, 0) << "the download does not read FlowID";
    ExpectSentFields(cues[1], {"B", 5000, "12", "03", 7, 2});
}

TEST(ReadDownloadCues, StoreWithoutTheShowTableSaysSo)
{
    testsupport::TempDir dir;
    ExpectLoadFails(StoreMadeBy(dir, "CREATE TABLE TB_LAYOUT(FlowID int)"),
                    strings::kNoLayoutTable);
}

TEST(ReadDownloadCues, StoreThatCannotBeOpenedIsADatabaseExceptionNotAnEmptyShow)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("not-a-store.db");
    std::ofstream(path) << "this is no database, just some text that is long enough";
    ExpectLoadFails(path, strings::kDatabaseException);
    ExpectLoadFails(dir.File("missing.db"), strings::kDatabaseException);
}

TEST(ReadDownloadCues, ShowTableThatCannotBeQueriedIsADatabaseException)
{
    // A view named tb_Layout without the columns the query orders by.
    testsupport::TempDir dir;
    ExpectLoadFails(StoreMadeBy(dir, "CREATE VIEW tb_Layout AS SELECT 'HOST' AS HostName"),
                    strings::kDatabaseException);
}

TEST(ReadDownloadCues, RecordWithAnUnreadableFieldEndsTheLoadRatherThanSendAZero)
{
    testsupport::TempDir dir;
    const std::string path = MakeShowStore(dir, NumberedRows(3));
    testsupport::RunSql(path, "UPDATE tb_Layout SET CDCode = 'twelve' WHERE FlowID = 1");
    ExpectLoadFails(path, strings::kDatabaseException);
}

namespace {

// The digest of the frames as a download builds them, the first and the
// last cue marked.
std::string FramesDigest(const std::vector<show::Cue>& cues)
{
    FrameDigest digest;
    ProjectNameFrame project;
    EXPECT_TRUE(BuildProjectNameFrame(kProjectName, project));
    digest.Add(project.bytes);
    for (std::size_t i = 0; i < cues.size(); ++i) {
        CueFrame frame;
        EXPECT_TRUE(BuildCueFrame(cues[i], PositionOf(i, cues.size()), frame));
        digest.Add(frame.bytes);
    }
    return digest.Hex();
}

} // namespace

TEST(ReadDownloadDigest, IsTheDigestOfEveryFrameADownloadSendsInOrder)
{
    testsupport::TempDir dir;
    std::vector<StoreRow> rows;
    for (int n = 0; n < 5; ++n)
        rows.push_back({.FlowID = n,
                        .HostName = n % 2 ? "北岸" : "A",
                        .BlastTime = 900 - n * 100,
                        .Addr = "0" + std::to_string(n),
                        .Channel = "01",
                        .CDCode = n,
                        .Sector = 0});
    const std::string path = MakeShowStore(dir, rows);
    EXPECT_EQ(ReadDownloadDigest(path), FramesDigest(ReadDownloadCues(path)));
    const std::string one = MakeShowStore(dir, {rows[0]}, "one.db");
    EXPECT_EQ(ReadDownloadDigest(one), FramesDigest(ReadDownloadCues(one)));
    EXPECT_NE(ReadDownloadDigest(one), ReadDownloadDigest(path));
}
