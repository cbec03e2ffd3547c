#include "hostlink/ReadDownloadCues.h"

#include "hostlink/DownloadOrder.h"
#include "hostlink/FrameDigest.h"
#include "hostlink/FrameLayout.h"
#include "hostlink/Frames.h"
#include "messages/FailureMessage.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/ShowReader.h"
#include "store/ADODataBase.h"
#include "store/LayoutTable.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/support/RaisedText.h"

#include <algorithm>
#include <fstream>
#include <functional>
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

namespace {

// The cues as the download's query gives them: SQLite's sort of the show
// table's rows, here made to spill to files by a cache of a few pages, the
// way a field's show is sorted.
std::vector<show::Cue> QueryOrderCues(const std::string& path)
{
    CADODataBase db;
    EXPECT_TRUE(db.Open(store::ConnectionStringFor(path), "", ""));
    db.GetConnection()->Engine().Execute("PRAGMA cache_size = 10");
    std::vector<show::Cue> cues = show::ReadCueRecords(db, kDownloadQuery, show::CueFields::kSent);
    db.Close();
    return cues;
}

void ExpectSameCues(const std::vector<show::Cue>& got, const std::vector<show::Cue>& expected)
{
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE("cue " + std::to_string(i));
        ExpectSentFields(got[i], {expected[i].HostName, expected[i].BlastTime, expected[i].Addr,
                                  expected[i].Channel, expected[i].CDCode, expected[i].Sector});
        EXPECT_EQ(got[i].nulls.BlastTime, expected[i].nulls.BlastTime);
    }
}

// The download's cues of `path`, and their digest, are the query's.
void ExpectTheQuerysCuesAndDigest(const std::string& path)
{
    const std::vector<show::Cue> expected = QueryOrderCues(path);
    ExpectSameCues(ReadDownloadCues(path), expected);
    EXPECT_EQ(ReadDownloadDigest(path), FramesDigest(expected));
}

// A show of `count` cues in no launch-time order: many of one time, some
// before 0, and some NULL, in a table another program made without NOT NULL.
std::string UnorderedShow(const testsupport::TempDir& dir, const std::string& name, int count)
{
    const std::string path = testsupport::MakeSqliteFile(
        dir.File(name), "CREATE TABLE tb_Layout(FlowID int, HostName nVarchar(32), HostIndex int, "
                        "BlastTime int, Addr nVarchar(32), Channel nVarchar(32), CDCode int, "
                        "Sector int)");
    testsupport::RunSql(path, "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                              "WHERE i < " +
                                  std::to_string(count - 1) +
                                  ") INSERT INTO tb_Layout SELECT i, 'H' || (i % 13), 1, "
                                  "CASE WHEN i % 97 = 5 THEN NULL ELSE (i * 7919) % 500 - 100 "
                                  "END, i % 50, i % 20, i % 5, i % 3 FROM n");
    return path;
}

} // namespace

TEST(ReadDownloadCues, AreInTheQuerysOrderWithTiesNullsAndASortLargerThanItsCache)
{
    testsupport::TempDir dir;
    const std::string path = UnorderedShow(dir, "field.db", 60000);
    ExpectTheQuerysCuesAndDigest(path);
    // A table already in launch order, as an import writes one.
    testsupport::RunSql(path, "UPDATE tb_Layout SET BlastTime = FlowID / 3");
    ExpectTheQuerysCuesAndDigest(path);
}

// The digest of a show read in runs, each run of `cues` ending where
// `ends` says, the first begun as it would be while the others are read.
std::optional<std::string> RunsDigest(const std::vector<show::Cue>& cues,
                                      const std::vector<std::size_t>& ends)
{
    std::vector<TableOrderDigester> runs(ends.size());
    std::vector<TableOrderDigester*> order;
    std::size_t from = 0;
    for (std::size_t r = 0; r < ends.size(); ++r) {
        for (; from < ends[r]; ++from)
            runs[r].Add(cues[from]);
        if (r == 0)
            runs[r].BeginAsFirst();
        order.push_back(&runs[r]);
    }
    return TableOrderDigester::Finish(order);
}

TEST(TableOrderDigester, RunsGiveTheDigestOfTheWholeShowInTheDownloadsOrder)
{
    std::vector<show::Cue> cues(90);
    for (std::size_t i = 0; i < cues.size(); ++i) {
        cues[i].HostName = "H" + std::to_string(i % 4);
        cues[i].BlastTime = static_cast<int>(i % 30); // each third in order
        cues[i].Addr = std::to_string(i % 7);
        cues[i].Channel = std::to_string(i % 9);
    }
    std::vector<show::Cue> sorted = cues;
    std::stable_sort(sorted.begin(), sorted.end(), [](const show::Cue& a, const show::Cue& b) {
        return DownloadOrderKey(a) < DownloadOrderKey(b);
    });
    const std::string expected = FramesDigest(sorted);
    // Runs each in order, each starting before the last ended; one empty.
    EXPECT_EQ(RunsDigest(cues, {30, 60, 90}), expected);
    EXPECT_EQ(RunsDigest(cues, {30, 30, 90}), expected);
    EXPECT_EQ(RunsDigest(cues, {0, 45, 90}), expected);
    EXPECT_EQ(RunsDigest(cues, {90}), expected);
    // A show in order, its first run begun.
    EXPECT_EQ(RunsDigest(sorted, {31, 50, 90}), expected);
    EXPECT_EQ(RunsDigest(sorted, {89, 90}), expected);
    EXPECT_EQ(RunsDigest(sorted, {90, 90}), expected);
    EXPECT_EQ(RunsDigest({cues[0]}, {1, 1}), FramesDigest({cues[0]}));
}

TEST(ForEachShowCueInRuns, ARecordThatCannotBeReadIsNamedByItsPlaceInTheWholeTable)
{
    testsupport::TempDir dir;
    const std::string path = UnorderedShow(dir, "runs.db", 40000);
    testsupport::RunSql(path, "UPDATE tb_Layout SET CDCode = 'x' WHERE FlowID IN (31000, 35000)");
    const auto failure = [&path](std::size_t runs) {
        std::vector<show::ShowRun> readers(runs, {[](show::Cue&) {}, {}, {}});
        return testsupport::RaisedText<show::Failure>(
            [&] {
                CADODataBase db;
                ASSERT_TRUE(db.Open(store::ConnectionStringFor(path), "", ""));
                show::ForEachShowCueInRuns(db, show::CueFields::kSent, readers);
            },
            [](const show::Failure& f) { return std::to_string(f.Row()) + " " + f.Name(); });
    };
    EXPECT_EQ(failure(1), "31001 CDCode");
    EXPECT_EQ(failure(2), "31001 CDCode");
    EXPECT_EQ(failure(4), "31001 CDCode");
}

TEST(ReadDownloadCues, AViewIsReadInTheQuerysOrderAsTheQueryGivesIt)
{
    // A view's rows come in its own query's order, which is not the table's.
    testsupport::TempDir dir;
    const std::string path = UnorderedShow(dir, "view.db", 300);
    testsupport::RunSql(path, "ALTER TABLE tb_Layout RENAME TO t");
    testsupport::RunSql(path, "CREATE VIEW tb_Layout AS SELECT * FROM t ORDER BY FlowID DESC");
    ExpectTheQuerysCuesAndDigest(path);
}

TEST(ReadDownloadCues, AnUnreadableRecordIsNamedByItsPlaceInTheQuerysOrder)
{
    // The table's first row goes last: its failure names record 3.
    testsupport::TempDir dir;
    const std::string path = MakeShowStore(dir, NumberedRows(3));
    testsupport::RunSql(path,
                        "UPDATE tb_Layout SET BlastTime = 900, CDCode = 'x' WHERE FlowID = 0");
    testsupport::RunSql(path, "UPDATE tb_Layout SET BlastTime = 100 WHERE FlowID <> 0");
    const auto failure = [](const std::function<void()>& read) {
        return testsupport::RaisedText<show::Failure>(read, [](const show::Failure& f) {
            return std::to_string(f.Row()) + " " + f.Name() + ": " +
                   messages::FailureText(f, messages::Doing::kDownloading);
        });
    };
    const std::string expected = failure([&path] { QueryOrderCues(path); });
    EXPECT_EQ(expected.substr(0, 9), "3 CDCode:") << expected;
    EXPECT_EQ(failure([&path] { ReadDownloadCues(path); }), expected);
    EXPECT_EQ(failure([&path] { ReadDownloadDigest(path); }), expected);
}
