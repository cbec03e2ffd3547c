#include "hostlink/LoadDownloadCues.h"

#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/support/FakePrompt.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace hostlink;
using namespace hostlinktest;
using prompt::MessageIcon;

namespace {

struct Loaded
{
    bool ok = false;
    std::vector<show::Cue> cues;
    testsupport::FakePrompt prompt;
};

void Load(Loaded& loaded, const std::optional<std::string>& path)
{
    loaded.prompt.openFiles.push_back(path);
    loaded.cues.push_back(show::Cue{}); // whatever was there goes
    loaded.ok = LoadDownloadCues(loaded.prompt, loaded.cues);
}

// A SQLite file in `dir` holding only what `sql` makes.
std::string StoreMadeBy(const testsupport::TempDir& dir, const std::string& sql)
{
    return testsupport::MakeSqliteFile(dir.File("made.db"), sql);
}

// Loading `path` fails with the one stop message `text` and gives no cues.
void ExpectLoadStops(const std::string& path, const std::string& text)
{
    SCOPED_TRACE(path);
    Loaded loaded;
    Load(loaded, path);
    EXPECT_FALSE(loaded.ok);
    EXPECT_TRUE(loaded.cues.empty());
    ASSERT_EQ(loaded.prompt.messages.size(), 1u);
    EXPECT_EQ(loaded.prompt.messages[0].text, text);
    EXPECT_EQ(loaded.prompt.messages[0].icon, MessageIcon::Stop);
}

} // namespace

TEST(LoadDownloadCues, ChooserOffersAccessThenSqliteThenEverything)
{
    const prompt::FileChoice choice = DownloadFileChoice();
    ASSERT_EQ(choice.filters.size(), 3u);
    EXPECT_EQ(choice.filters[0].label, strings::kFilterMdbChinese);
    EXPECT_EQ(choice.filters[0].patterns, std::vector<std::string>{"*.mdb"});
    EXPECT_EQ(choice.filters[1].label, strings::kFilterSqlite);
    EXPECT_EQ(choice.filters[1].patterns,
              (std::vector<std::string>{"*.db", "*.sqlite", "*.sqlite3"}));
    EXPECT_EQ(choice.filters[2].label, strings::kFilterAll);
    EXPECT_EQ(choice.filters[2].patterns, std::vector<std::string>{"*"});
    EXPECT_EQ(choice.initialPath, "");
    EXPECT_EQ(choice.defaultSuffix, "");
}

TEST(LoadDownloadCues, CancelledChooserEndsWithoutAMessage)
{
    Loaded loaded;
    Load(loaded, std::nullopt);
    EXPECT_FALSE(loaded.ok);
    EXPECT_TRUE(loaded.cues.empty());
    EXPECT_TRUE(loaded.prompt.messages.empty());
}

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
    Loaded loaded;
    Load(loaded, path);
    ASSERT_TRUE(loaded.ok);
    ASSERT_EQ(loaded.cues.size(), 2u);
    const show::Cue& first = loaded.cues[0];
    EXPECT_EQ(first.HostName, "主机A");
    EXPECT_EQ(first.BlastTime, 1000);
    EXPECT_EQ(first.Addr, "");
    EXPECT_EQ(first.Channel, "");
    EXPECT_EQ(first.CDCode, 3);
    EXPECT_EQ(first.FlowID, 0) << "the download does not read FlowID";
    const show::Cue& second = loaded.cues[1];
    EXPECT_EQ(second.HostName, "B");
    EXPECT_EQ(second.BlastTime, 5000);
    EXPECT_EQ(second.Addr, "12");
    EXPECT_EQ(second.Channel, "03");
    EXPECT_EQ(second.CDCode, 7);
    EXPECT_EQ(second.Sector, 2);
    EXPECT_TRUE(loaded.prompt.messages.empty());
}

TEST(LoadDownloadCues, StoreWithoutTheShowTableSaysSo)
{
    testsupport::TempDir dir;
    ExpectLoadStops(StoreMadeBy(dir, "CREATE TABLE TB_LAYOUT(FlowID int)"),
                    strings::kNoLayoutTable);
}

TEST(LoadDownloadCues, StoreThatCannotBeOpenedIsADatabaseExceptionNotAnEmptyShow)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("not-a-store.db");
    std::ofstream(path) << "this is no database, just some text that is long enough";
    ExpectLoadStops(path, strings::kDatabaseException);
    ExpectLoadStops(dir.File("missing.db"), strings::kDatabaseException);
}

TEST(LoadDownloadCues, ShowTableThatCannotBeQueriedIsADatabaseException)
{
    // A view named tb_Layout without the columns the query orders by.
    testsupport::TempDir dir;
    ExpectLoadStops(StoreMadeBy(dir, "CREATE VIEW tb_Layout AS SELECT 'HOST' AS HostName"),
                    strings::kDatabaseException);
}

TEST(LoadDownloadCues, RecordWithAnUnreadableFieldEndsTheLoadRatherThanSendAZero)
{
    testsupport::TempDir dir;
    const std::string path = MakeShowStore(dir, NumberedRows(3));
    testsupport::RunSql(path, "UPDATE tb_Layout SET CDCode = 'twelve' WHERE FlowID = 1");
    ExpectLoadStops(path, strings::kDatabaseException);
}
