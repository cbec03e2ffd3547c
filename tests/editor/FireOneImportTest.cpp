#include "editor/FireOneImport.h"

#include "editor/NewStoreChoice.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "tests/editor/FireOneFiles.h"
#include "tests/editor/ShowCommandsFixture.h"
#include "tests/support/AsUnprivilegedUser.h"

#include <filesystem>
#include <fstream>

namespace {

using editortest::Cue;
using editortest::FileBytes;
using editortest::FireRecord;
using editortest::MakeFireOneFile;
using editortest::ReadCues;
using prompt::MessageIcon;

class FireOneImport : public editortest::ShowCommands
{
protected:
    std::string NewFireOneFile(const std::vector<FireRecord>& records,
                               const std::string& name = "show.db")
    {
        const std::string path = dir.File(name);
        MakeFireOneFile(path, records);
        return path;
    }

    // Importing `path` fails, saying why no store was made, and changes
    // neither the file nor the show already loaded.
    void ExpectImportMakesNoStore(const std::string& path, const std::string& reason)
    {
        const std::string before = FileBytes(path);
        EXPECT_FALSE(Import(path));
        ExpectStoreNotCreated(reason);
        EXPECT_EQ(FileBytes(path), before);
        ExpectEarlierShowKept();
    }

    bool HasLayoutTable(const std::string& path)
    {
        CADODataBase check;
        EXPECT_TRUE(check.Open(store::ConnectionStringFor(path), "", ""));
        return store::HasLayoutTable(check);
    }
};

TEST_F(FireOneImport, ConvertsARecordIntoACueAndAGridRow)
{
    const std::string path = NewFireOneFile({{3723004, 3, 7, 12}});
    EXPECT_TRUE(Import(path));

    EXPECT_TRUE(prompt.messages.empty()) << ::testing::PrintToString(prompt.MessageTexts());
    EXPECT_EQ(prompt.saveChoices.size(), 0u) << "an SQLite file becomes the store itself";
    ASSERT_EQ(prompt.openChoices.size(), 1u);
    EXPECT_EQ(prompt.openChoices[0].filters.at(1).label, strings::kFilterFireOneScript);
    EXPECT_EQ(storePath, path);
    const auto cues = ReadCues(path);
    ASSERT_EQ(cues.size(), 1u);
    EXPECT_EQ(cues[0].FlowID, 0);
    EXPECT_EQ(cues[0].HostName, "HOST");
    EXPECT_EQ(cues[0].HostIndex, 1);
    EXPECT_EQ(cues[0].BlastTime, 3723004);
    EXPECT_EQ(cues[0].Addr, "07");
    EXPECT_EQ(cues[0].Channel, "11");
    EXPECT_EQ(cues[0].CDCode, 3);
    EXPECT_EQ(cues[0].Sector, 0);
    ASSERT_EQ(grid.GetRowCount(), 2);
    EXPECT_EQ(Row(1), (std::array<std::string, show::kCueColumnCount>{"0", "HOST", "01:02:03.004",
                                                                      "0", "3", "07", "11", ""}));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(rs.IsOpen());
}

TEST_F(FireOneImport, NumbersCuesFromZeroInFireDataOrderAndFormatsTheirModules)
{
    const std::string path = NewFireOneFile({{500, 1, 5, 1}, {100, 2, 123, 0}, {900, 3, -4, 100}});
    ASSERT_TRUE(Import(path));
    const auto cues = ReadCues(path);
    ASSERT_EQ(cues.size(), 3u);
    EXPECT_EQ(cues[0].FlowID, 0);
    EXPECT_EQ(cues[1].FlowID, 1);
    EXPECT_EQ(cues[2].FlowID, 2);
    EXPECT_EQ(cues[0].Addr, "05");
    EXPECT_EQ(cues[0].Channel, "00");
    EXPECT_EQ(cues[1].Addr, "123");
    EXPECT_EQ(cues[1].Channel, "-1") << "Cue 0 gives -1";
    EXPECT_EQ(cues[2].Addr, "-4");
    EXPECT_EQ(cues[2].Channel, "99");
    EXPECT_EQ(Row(1)[0], "0");
    EXPECT_EQ(Row(2)[6], "-1");
    EXPECT_EQ(Row(3)[2], "00:00.900") << "rows keep FireData's order, not launch-time order";
}

TEST_F(FireOneImport, MissingColumnsKeepTheirWorkingValues)
{
    const std::string path = dir.File("bare.db");
    testsupport::MakeSqliteFile(path, "CREATE TABLE FireData(LaunchTimeMS int, Cue int)");
    testsupport::RunSql(path, "INSERT INTO FireData VALUES (1000, 3), (2000, 4)");
    ASSERT_TRUE(Import(path));
    const auto cues = ReadCues(path);
    ASSERT_EQ(cues.size(), 2u);
    for (const auto& cue : cues) {
        EXPECT_EQ(cue.Addr, "00") << "no Slat column";
        EXPECT_EQ(cue.CDCode, -1) << "no Event column";
    }
    EXPECT_EQ(cues[1].BlastTime, 2000);
    EXPECT_EQ(cues[1].Channel, "03");
    EXPECT_EQ(Row(2)[4], "-1");
}

TEST_F(FireOneImport, NullsReadAsZero)
{
    const std::string path = NewFireOneFile({{std::nullopt, std::nullopt, std::nullopt, 1}});
    ASSERT_TRUE(Import(path));
    const auto cues = ReadCues(path);
    ASSERT_EQ(cues.size(), 1u);
    EXPECT_EQ(cues[0].BlastTime, 0);
    EXPECT_EQ(cues[0].CDCode, 0);
    EXPECT_EQ(cues[0].Addr, "00");
}

TEST_F(FireOneImport, EmptyFireDataMakesAnEmptyShowTable)
{
    LoadEarlierShow();
    const std::string path = NewFireOneFile({});
    EXPECT_TRUE(Import(path));
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_TRUE(HasLayoutTable(path));
    EXPECT_TRUE(ReadCues(path).empty());
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_EQ(storePath, path);
}

TEST_F(FireOneImport, SecondImportOfAnUnchangedShowWritesNothing)
{
    const std::string path = NewFireOneFile({{0, 1, 1, 1}, {100, 1, 1, 2}});
    ASSERT_TRUE(Import(path));
    testsupport::RunSql(path, "UPDATE tb_Layout SET HostName = 'A1' WHERE FlowID = 1");
    const std::string before = FileBytes(path);
    LoadEarlierShow();

    EXPECT_TRUE(Import(path));
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_TRUE(prompt.questions.empty());
    EXPECT_EQ(storePath, path);
    ASSERT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(Row(2)[1], "A1") << "saved host names survive";
    EXPECT_EQ(FileBytes(path), before);
}

TEST_F(FireOneImport, SecondImportOfAChangedShowAsksAndNoOpensTheStoreAsItStands)
{
    const std::string path = NewFireOneFile({{0, 1, 1, 1}, {100, 1, 1, 2}});
    ASSERT_TRUE(Import(path));
    testsupport::RunSql(path, "UPDATE tb_Layout SET HostName = 'A1' WHERE FlowID = 1");
    testsupport::RunSql(path, "INSERT INTO FireData VALUES (9, 200, 1, 1, 3, 'late')");
    const std::string before = FileBytes(path);

    prompt.answers.push_back(false);
    EXPECT_TRUE(Import(path));
    ASSERT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(prompt.questions[0], strings::FormatText(strings::kReimportQuestion, 1, 0, 0, 2, 1))
        << "module 01 held HOST and A1: the new cue goes back to HOST";
    EXPECT_EQ(grid.GetRowCount(), 3) << "the store as it stands";
    EXPECT_EQ(FileBytes(path), before);

    prompt.answers.push_back(true);
    EXPECT_TRUE(Import(path));
    ASSERT_EQ(grid.GetRowCount(), 4);
    EXPECT_EQ(Row(2)[1], "A1");
    EXPECT_EQ(Row(3)[2], "00:00.200");
    EXPECT_EQ(ReadCues(path).size(), 3u);
    EXPECT_EQ(prompt.MessageTexts().back(),
              strings::FormatText(strings::kReimportDone, 1, 0, 0, 2, 1));
}

TEST_F(FireOneImport, FailureHalfwayLeavesTheFileExactlyAsItWas)
{
    LoadEarlierShow();
    const std::string path = NewFireOneFile(editortest::ManyFireRecords(100));
    testsupport::RunSql(path, "UPDATE FireData SET Cue = 'twelve' WHERE ID = 50");
    const std::string before = FileBytes(path);

    EXPECT_FALSE(Import(path));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, strings::FormatText(strings::kImportBadField, 50, "Cue"));
    EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_FALSE(HasLayoutTable(path)) << "a later import must not find half a show";
    ExpectEarlierShowKept();

    // Mended, the file imports whole.
    testsupport::RunSql(path, "UPDATE FireData SET Cue = 12 WHERE ID = 50");
    prompt.messages.clear();
    EXPECT_TRUE(Import(path));
    EXPECT_EQ(ReadCues(path).size(), 100u);
    EXPECT_EQ(grid.GetRowCount(), 101);
}

TEST_F(FireOneImport, FireDataThatCannotBeReadToItsEndIsTheFileNotReadAndChangesNothing)
{
    // Read as it streams in, FireData fails at its 50th record: the file's
    // failure, worded as when the table was read whole on opening.
    LoadEarlierShow();
    const std::string path = NewFireOneFile(editortest::ManyFireRecords(100));
    testsupport::RunSql(path, "ALTER TABLE FireData RENAME TO Records");
    testsupport::RunSql(path, "CREATE VIEW FireData AS SELECT ID, LaunchTimeMS, Event, Slat,"
                              " CASE WHEN ID = 50 THEN abs(-9223372036854775807 - 1) ELSE Cue END"
                              " AS Cue FROM Records");
    const std::string before = FileBytes(path);

    EXPECT_FALSE(Import(path));
    ASSERT_EQ(prompt.messages.size(), 1u);
    const std::string& text = prompt.messages[0].text;
    EXPECT_EQ(
        text.rfind(strings::FormatText(strings::kImportSourceUnreadable, "Query = FireData\n"), 0),
        0u)
        << text;
    EXPECT_NE(text.find("integer overflow"), std::string::npos) << text;
    EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_FALSE(HasLayoutTable(path));
    ExpectEarlierShowKept();
}

TEST_F(FireOneImport, FireDataThatCannotBeOpenedIsTheFileNotReadAndChangesNothing)
{
    // Opened without its rows, a FireData whose columns cannot be made
    // fails as the FireOne file's, naming the statement that opened it.
    LoadEarlierShow();
    const std::string path = NewFireOneFile({{0, 1, 1, 1}});
    testsupport::RunSql(path, "ALTER TABLE FireData RENAME TO Records");
    testsupport::RunSql(path, "CREATE VIEW FireData AS SELECT Gone FROM Records");
    const std::string before = FileBytes(path);

    EXPECT_FALSE(Import(path));
    ASSERT_EQ(prompt.messages.size(), 1u);
    const std::string& text = prompt.messages[0].text;
    EXPECT_EQ(text.rfind(strings::FormatText(strings::kImportSourceUnreadable,
                                             "Query = SELECT * FROM FireData WHERE 0\n"),
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("no such column: Gone"), std::string::npos) << text;
    EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(FileBytes(path), before);
    ExpectEarlierShowKept();
}

TEST_F(FireOneImport, ShowTableThatCannotBeCreatedIsReportedAndChangesNothing)
{
    LoadEarlierShow();
    const std::string path = NewFireOneFile({{0, 1, 1, 1}});
    // A table whose name differs only in case is not the show table, but
    // takes its name in SQLite.
    testsupport::RunSql(path, "CREATE TABLE TB_LAYOUT(x int)");
    ExpectImportMakesNoStore(path, "already exists");
}

TEST_F(FireOneImport, ForeignLayoutTableIsRefusedAndChangesNothing)
{
    // Tables of that name another program made: none holds the show table's
    // columns, and cues written into one would be rows of NULLs.
    const std::vector<std::pair<std::string, std::string>> foreign = {
        {"CREATE TABLE tb_Layout(Note text)",
         "FlowID, HostName, HostIndex, BlastTime, Addr, Channel, CDCode, Sector"},
        {"CREATE TABLE tb_Layout(flowid int, HostName text, HostIndex int, BlastTime int, "
         "Addr text, Channel text, CDCode int, Note text)",
         "Sector"},
    };
    LoadEarlierShow();
    for (const auto& [sql, missing] : foreign) {
        SCOPED_TRACE(sql);
        const std::string path = NewFireOneFile({{0, 1, 1, 1}}, "foreign.db");
        testsupport::RunSql(path, sql);
        const std::string before = FileBytes(path);
        prompt.messages.clear();
        EXPECT_FALSE(Import(path));
        ASSERT_EQ(prompt.messages.size(), 1u) << ::testing::PrintToString(prompt.MessageTexts());
        EXPECT_EQ(prompt.messages[0].text,
                  strings::FormatText(strings::kLayoutNotShowTable, path.c_str(), missing.c_str()));
        EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Stop);
        EXPECT_EQ(FileBytes(path), before);
        ExpectEarlierShowKept();
        std::filesystem::remove(path);
    }
}

TEST_F(FireOneImport, ReadOnlyFileIsReportedAndChangesNothing)
{
    // Root may write a read-only file: as root the case runs as nobody.
    testsupport::AsUnprivilegedUser(dir, [this] {
        LoadEarlierShow();
        const std::string path = NewFireOneFile({{0, 1, 1, 1}});
        std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                               std::filesystem::perms::group_read |
                                               std::filesystem::perms::others_read);
        if (std::ofstream(path, std::ios::app)) // opened, nothing written
            GTEST_SKIP() << "this user may write a read-only file";
        ExpectImportMakesNoStore(path, "read-only");
    });
}

TEST_F(FireOneImport, CancelledChooserChangesNothing)
{
    LoadEarlierShow();
    prompt.openFiles.push_back(std::nullopt);
    editor::ShowContext show = Show();
    EXPECT_FALSE(editor::ImportFireOne(show)); // and raises nothing
    EXPECT_TRUE(prompt.messages.empty());
    ASSERT_FALSE(prompt.openChoices.empty());
    EXPECT_EQ(prompt.openChoices.back().filters.front().label, strings::kFilterMdbEnglish);
    ExpectEarlierShowKept();
}

TEST_F(FireOneImport, FileThatIsNoDatabaseShowsTheErrorWithoutIconAndKeepsTheShow)
{
    LoadEarlierShow();
    const std::string path = dir.File("notes.mdb");
    std::ofstream(path) << "not a show";
    EXPECT_FALSE(Import(path));
    ExpectOpenError(path);
    ExpectEarlierShowKept();
}

TEST_F(FireOneImport, DatabaseWithoutFireDataChangesNothingAndSaysNothing)
{
    LoadEarlierShow();
    const std::string path = dir.File("other.db");
    testsupport::MakeSqliteFile(path, "CREATE TABLE Other(x int)");
    const std::string before = FileBytes(path);
    EXPECT_FALSE(Import(path));
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(FileBytes(path), before);
    ExpectEarlierShowKept();
}

TEST(NewStoreChoice, ProposesTheFireOneFilesFolderAndNameWithDb)
{
    EXPECT_EQ(editor::NewStoreChoice("/shows/new year.mdb").initialPath, "/shows/new year.db");
    EXPECT_EQ(editor::NewStoreChoice("/shows/finale.fire").initialPath, "/shows/finale.db")
        << "a renamed extension";
    EXPECT_EQ(editor::NewStoreChoice("/shows/finale").initialPath, "/shows/finale.db");
}

TEST_F(FireOneImport, AccessFilesWithoutFireDataChangeNothing)
{
    LoadEarlierShow();
    const std::filesystem::path fixtures =
        std::filesystem::path(TAVRIN_TEST_DATA_DIR) / ".." / "store" / "fixtures" / "access";
    for (const char* name : {"testV1997.mdb", "indexTestV2000.mdb", "emptyJet4.mdb"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.File(name);
        std::filesystem::copy_file(fixtures / name, path);
        const std::string before = FileBytes(path);
        EXPECT_FALSE(Import(path));
        EXPECT_TRUE(prompt.messages.empty()) << ::testing::PrintToString(prompt.MessageTexts());
        EXPECT_TRUE(prompt.saveChoices.empty()) << "no new store without a FireOne show";
        EXPECT_EQ(FileBytes(path), before);
        ExpectEarlierShowKept();
    }
}

} // namespace
