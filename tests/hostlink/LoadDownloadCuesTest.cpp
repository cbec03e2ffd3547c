#include "hostlink/LoadDownloadCues.h"

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
    try {
        const std::vector<show::Cue> cues = LoadDownloadCues(path);
        ADD_FAILURE() << "read " << cues.size() << " cues";
    } catch (const show::Failure& failure) {
        const messages::Message message =
            messages::FailureMessage(failure, messages::Doing::kDownloading);
        EXPECT_EQ(message.text, text) << failure.what();
        EXPECT_EQ(message.icon, prompt::MessageIcon::Stop);
    }
}

} // namespace

TEST(LoadDownloadCues, ReadsEveryFieldInLaunchTimeOrder)
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
    const std::vector<show::Cue> cues = LoadDownloadCues(path);
    ASSERT_EQ(cues.size(), 2u);
    const show::Cue& first = cues[0];
    EXPECT_EQ(first.HostName, "主机A");
    EXPECT_EQ(first.BlastTime, 1000);
    EXPECT_EQ(first.Addr, "");
    EXPECT_EQ(first.Channel, "");
    EXPECT_EQ(first.CDCode, 3);
    EXPECT_EQ(first.FlowID, 0) << "the download does not read FlowID";
    const show::Cue& second = cues[1];
    EXPECT_EQ(second.HostName, "B");
    EXPECT_EQ(second.BlastTime, 5000);
    EXPECT_EQ(second.Addr, "12");
    EXPECT_EQ(second.Channel, "03");
    EXPECT_EQ(second.CDCode, 7);
    EXPECT_EQ(second.Sector, 2);
}

TEST(LoadDownloadCues, StoreWithoutTheShowTableSaysSo)
{
    testsupport::TempDir dir;
    ExpectLoadFails(StoreMadeBy(dir, "CREATE TABLE TB_LAYOUT(FlowID int)"),
                    strings::kNoLayoutTable);
}

TEST(LoadDownloadCues, StoreThatCannotBeOpenedIsADatabaseExceptionNotAnEmptyShow)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("not-a-store.db");
    std::ofstream(path) << "this is no database, just some text that is long enough";
    ExpectLoadFails(path, strings::kDatabaseException);
    ExpectLoadFails(dir.File("missing.db"), strings::kDatabaseException);
}

TEST(LoadDownloadCues, ShowTableThatCannotBeQueriedIsADatabaseException)
{
    // A view named tb_Layout without the columns the query orders by.
    testsupport::TempDir dir;
    ExpectLoadFails(StoreMadeBy(dir, "CREATE VIEW tb_Layout AS SELECT 'HOST' AS HostName"),
                    strings::kDatabaseException);
}

TEST(LoadDownloadCues, RecordWithAnUnreadableFieldEndsTheLoadRatherThanSendAZero)
{
    testsupport::TempDir dir;
    const std::string path = MakeShowStore(dir, NumberedRows(3));
    testsupport::RunSql(path, "UPDATE tb_Layout SET CDCode = 'twelve' WHERE FlowID = 1");
    ExpectLoadFails(path, strings::kDatabaseException);
}
