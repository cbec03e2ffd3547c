#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "tests/editor/ShowCommandsFixture.h"

#include <filesystem>

namespace {

using editortest::Cue;
using editortest::FiveCues;
using editortest::HostNames;
using editortest::ReadCues;
using prompt::MessageIcon;

const std::vector<std::string> kStoredNames = {"HOST", "A1", "北岸-1", "HOST", "B2"};

class SaveShowStore : public editortest::ShowCommands
{
protected:
    void SetUp() override { path = OpenNewStore("five.db", FiveCues()); }

    void SetHosts(const std::vector<std::string>& names)
    {
        for (std::size_t i = 0; i < names.size(); ++i)
            grid.SetCellText(static_cast<int>(i) + 1, show::kColumnHost, names[i]);
    }

    void ExpectRefused(const std::string& text)
    {
        ASSERT_EQ(prompt.messages.size(), 1u) << ::testing::PrintToString(prompt.MessageTexts());
        EXPECT_EQ(prompt.messages[0].text, text);
        EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Stop);
        EXPECT_EQ(HostNames(path), kStoredNames) << "a refused Save writes nothing";
        EXPECT_FALSE(db.IsOpen());
    }

    std::string path;
};

TEST_F(SaveShowStore, WithoutACurrentStoreDoesNothing)
{
    storePath.clear();
    SetHosts({"X", "X", "X", "X", "X"});
    Save();
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(HostNames(path), kStoredNames);
}

TEST_F(SaveShowStore, WritesTrimmedNamesAndSaysSo)
{
    SetHosts({" A1 ", "\tB2\n", "北岸-2", "\v\fC3\r", "HOST"});
    Save();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, strings::kSaveDone);
    EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(HostNames(path), (std::vector<std::string>{"A1", "B2", "北岸-2", "C3", "HOST"}));
    EXPECT_EQ(Row(1)[show::kColumnHost], "A1") << "the grid shows what the store now holds";
    EXPECT_FALSE(model.AnyChanged());
    EXPECT_EQ(storePath, path);
    EXPECT_FALSE(db.IsOpen());
}

TEST_F(SaveShowStore, LeavesEveryOtherFieldAlone)
{
    SetHosts({"Z", "Z", "Z", "Z", "Z"});
    Save();
    const auto before = FiveCues();
    const auto after = ReadCues(path);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        auto expected = show::CueCellTexts(before[i]);
        expected[show::kColumnHost] = "Z";
        EXPECT_EQ(show::CueCellTexts(after[i]), expected);
        EXPECT_EQ(after[i].HostIndex, before[i].HostIndex);
    }
}

TEST_F(SaveShowStore, EmptyNameWritesNothingAndASaveAfterFillingItWritesEveryRow)
{
    SetHosts({"N1", "N2", "", "N4", "N5"});
    Save();
    ExpectRefused(strings::kSaveHostEmpty);
    prompt.messages.clear();
    grid.SetCellText(3, show::kColumnHost, "N3");
    Save();
    ASSERT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kSaveDone});
    EXPECT_EQ(HostNames(path), (std::vector<std::string>{"N1", "N2", "N3", "N4", "N5"}));
}

TEST_F(SaveShowStore, WidthCountsCharactersNotBytes)
{
    std::string chinese;
    for (int i = 0; i < 32; ++i)
        chinese += "岸"; // 32 characters, 96 bytes of UTF-8
    SetHosts({chinese, "N2", "N3", "N4", "N5"});
    Save();
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kSaveDone});
    EXPECT_EQ(HostNames(path)[0], chinese);
}

TEST_F(SaveShowStore, StoreWithFewerRecordsThanRowsIsRefused)
{
    testsupport::RunSql(path, "DELETE FROM tb_Layout WHERE FlowID = 2");
    SetHosts({"N1", "N2", "N3", "N4", "N5"});
    Save();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, strings::kSaveStoreChanged);
    EXPECT_EQ(HostNames(path), (std::vector<std::string>{"HOST", "A1", "北岸-1", "HOST"}));
}

TEST_F(SaveShowStore, WriteRefusedByTheStoreUndoesTheWholeSave)
{
    testsupport::RunSql(path, "CREATE TRIGGER refuse_bad BEFORE UPDATE ON tb_Layout "
                              "WHEN NEW.HostName = 'BAD' BEGIN SELECT RAISE(ABORT, 'no'); END");
    SetHosts({"N1", "N2", "BAD", "N4", "N5"});
    Save();
    ASSERT_EQ(prompt.messages.size(), 1u);
    const std::string prefix = "the show store cannot be written,fire data have not saved!\n";
    EXPECT_EQ(prompt.messages[0].text.rfind(prefix, 0), 0u) << prompt.messages[0].text;
    EXPECT_GT(prompt.messages[0].text.size(), prefix.size()) << "the store's reason is shown";
    EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(HostNames(path), kStoredNames) << "rows 1 and 2 were undone with the rest";
    EXPECT_FALSE(db.IsOpen());
}

TEST_F(SaveShowStore, StoreThatIsGoneIsReportedNotSaved)
{
    std::filesystem::remove(path);
    SetHosts({"N1", "N2", "N3", "N4", "N5"});
    Save();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text.rfind("the show store cannot be written", 0), 0u);
    EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Stop);
    EXPECT_FALSE(std::filesystem::exists(path)) << "Save never creates a file";
}

TEST_F(SaveShowStore, StoreWhoseTableWasDroppedIsReportedNotSaved)
{
    testsupport::RunSql(path, "DROP TABLE tb_Layout");
    Save();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text.rfind("the show store cannot be written", 0), 0u);
    EXPECT_FALSE(db.IsOpen());
}

TEST_F(SaveShowStore, AfterAFailedOpenWritesTheFileTheGridCameFrom)
{
    // Another show of five records, one of them unreadable: its Open is
    // refused, and a Save must not pair this grid with its records.
    const std::string other = dir.File("other.db");
    editortest::MakeShowStore(other, FiveCues());
    testsupport::RunSql(other, "UPDATE tb_Layout SET CDCode = 'x' WHERE FlowID = 2");
    Open(other);
    ASSERT_EQ(prompt.messages.size(), 1u);
    Open(dir.File("missing.db"));
    ASSERT_EQ(prompt.messages.size(), 2u);
    ASSERT_EQ(storePath, path);
    prompt.messages.clear();

    SetHosts({"N1", "N2", "N3", "N4", "N5"});
    Save();
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kSaveDone});
    EXPECT_EQ(HostNames(path), (std::vector<std::string>{"N1", "N2", "N3", "N4", "N5"}));
    EXPECT_EQ(HostNames(other), kStoredNames);
}

} // namespace
