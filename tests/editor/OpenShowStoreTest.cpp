#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "tests/editor/ShowCommandsFixture.h"

#include <fstream>

namespace {

using editortest::Cue;
using editortest::FiveCues;
using editortest::MakeShowStore;
using prompt::MessageIcon;

class OpenShowStore : public editortest::ShowCommands
{
};

TEST_F(OpenShowStore, OffersShowStoresOfBothKindsThenEachKindThenAllFiles)
{
    prompt.openFiles.push_back(std::nullopt);
    editor::ShowContext show = Show();
    editor::OpenShowStore(show);
    ASSERT_EQ(prompt.openChoices.size(), 1u);
    const auto& filters = prompt.openChoices[0].filters;
    ASSERT_EQ(filters.size(), 4u);
    EXPECT_EQ(filters[0].label, strings::kFilterShowStores);
    EXPECT_EQ(filters[0].patterns,
              std::vector<std::string>({"*.mdb", "*.db", "*.sqlite", "*.sqlite3"}));
    EXPECT_EQ(filters[1].label, strings::kFilterMdbEnglish);
    EXPECT_EQ(filters[1].patterns, std::vector<std::string>({"*.mdb"}));
    EXPECT_EQ(filters[2].label, strings::kFilterSqlite);
    EXPECT_EQ(filters[2].patterns, std::vector<std::string>({"*.db", "*.sqlite", "*.sqlite3"}));
    EXPECT_EQ(filters[3].label, strings::kFilterAll);
    EXPECT_EQ(prompt.openChoices[0].defaultSuffix, "");
}

TEST_F(OpenShowStore, CancelledChooserChangesNothing)
{
    LoadEarlierShow();
    prompt.openFiles.push_back(std::nullopt);
    editor::ShowContext show = Show();
    editor::OpenShowStore(show);
    ExpectEarlierShowKept();
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(OpenShowStore, FiveRecordsFillTheGridInStoreOrder)
{
    const std::string path = dir.File("five.db");
    MakeShowStore(path, FiveCues());
    Open(path);

    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(storePath, path);
    ASSERT_EQ(grid.GetRowCount(), 6);
    EXPECT_EQ(Row(0)[0], strings::kColSequence);
    EXPECT_EQ(Row(0)[7], strings::kColNote);
    const auto cues = FiveCues();
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(Row(r), show::CueCellTexts(cues[static_cast<std::size_t>(r - 1)])) << "row " << r;
    // Spot checks of the texts themselves.
    EXPECT_EQ(Row(1)[0], "4");
    EXPECT_EQ(Row(1)[2], "01:05.432");
    EXPECT_EQ(Row(3)[1], "北岸-1");
    EXPECT_EQ(Row(3)[2], "01:02:03.004");
    EXPECT_EQ(Row(3)[7], "");
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(rs.IsOpen());
}

TEST_F(OpenShowStore, ReplacesTheRowsOfTheEarlierShow)
{
    LoadEarlierShow();
    const std::string path = dir.File("five.db");
    MakeShowStore(path, FiveCues());
    Open(path);
    EXPECT_EQ(grid.GetRowCount(), 6);
    EXPECT_EQ(Row(1)[1], "HOST");
    EXPECT_EQ(storePath, path);
}

TEST_F(OpenShowStore, EmptyTableLeavesOnlyTheCaptionRow)
{
    LoadEarlierShow();
    const std::string path = dir.File("empty.db");
    MakeShowStore(path, {});
    Open(path);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_EQ(storePath, path);
}

TEST_F(OpenShowStore, NullTextsShowEmpty)
{
    const std::string path = dir.File("nulls.db");
    MakeShowStore(path, {Cue(0, "H")});
    testsupport::RunSql(path, "UPDATE tb_Layout SET Addr = NULL, Channel = NULL");
    Open(path);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(Row(1)[5], "");
    EXPECT_EQ(Row(1)[6], "");
}

TEST_F(OpenShowStore, FileThatIsNoDatabaseShowsTheErrorWithoutIconAndKeepsTheShow)
{
    LoadEarlierShow();
    const std::string path = dir.File("notes.db");
    std::ofstream(path) << "these are my notes, not a show";
    Open(path);
    ExpectOpenError(path);
    ExpectEarlierShowKept();
}

TEST_F(OpenShowStore, MissingFileShowsTheErrorAndKeepsTheShow)
{
    LoadEarlierShow();
    Open(dir.File("gone.db"));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].text.find("gone.db"), std::string::npos);
    ExpectEarlierShowKept();
}

TEST_F(OpenShowStore, DatabaseWithoutShowTableIsRefusedAndKeepsTheShow)
{
    LoadEarlierShow();
    const std::string path = dir.File("other.db");
    testsupport::MakeSqliteFile(path, "CREATE TABLE FireData(Cue int)");
    Open(path);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, strings::kNoLayoutTable);
    EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Stop);
    ExpectEarlierShowKept();
}

TEST_F(OpenShowStore, ValueOfTheWrongKindIsRefusedAndKeepsTheShow)
{
    LoadEarlierShow();
    const std::string path = dir.File("bad.db");
    MakeShowStore(path, {Cue(0, "H"), Cue(1, "H"), Cue(2, "H")});
    testsupport::RunSql(path, "UPDATE tb_Layout SET BlastTime = 'soon' WHERE FlowID = 1");
    Open(path);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, strings::FormatText(strings::kOpenBadField, 2, "BlastTime"));
    EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Stop);
    ExpectEarlierShowKept();
}

TEST_F(OpenShowStore, MissingColumnIsRefusedAndKeepsTheShow)
{
    LoadEarlierShow();
    const std::string path = dir.File("narrow.db");
    testsupport::MakeSqliteFile(
        path, "CREATE TABLE tb_Layout(FlowID int, HostName nVarchar(32), "
              "BlastTime int, Addr nVarchar(32), Channel nVarchar(32), CDCode int)");
    testsupport::RunSql(path, "INSERT INTO tb_Layout VALUES (0, 'H', 0, '01', '00', 1)");
    Open(path);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, strings::FormatText(strings::kOpenBadField, 1, "Sector"));
    ExpectEarlierShowKept();
}

// A hundred thousand rows reach the views in one change, never row by row.
TEST_F(OpenShowStore, ReplacesTheShowInOneChange)
{
    LoadEarlierShow();
    const std::string path = dir.File("five.db");
    MakeShowStore(path, FiveCues());
    std::vector<show::ShowChange::Kind> changes;
    const auto watch =
        model.Subscribe([&](const show::ShowChange& change) { changes.push_back(change.kind); });
    Open(path);
    EXPECT_EQ(changes, (std::vector{show::ShowChange::kReplaced, show::ShowChange::kSaved}));
    EXPECT_EQ(model.Size(), 5u);
    EXPECT_FALSE(model.AnyChanged());
}

} // namespace
