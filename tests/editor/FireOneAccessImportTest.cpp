// The FireOne import of Access files, which are read-only here: the show goes
// into a new SQLite show store. The Access files are served by the stand-in
// reader next to this program (AccessStandInReader.cpp).
#include "editor/FireOneImport.h"
#include "editor/StoreMakingLock.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "tests/editor/FireOneFiles.h"
#include "tests/editor/ShowCommandsFixture.h"

#include <filesystem>
#include <fstream>

namespace {

using editortest::Cue;
using editortest::FileBytes;
using editortest::ReadCues;
using prompt::MessageIcon;

constexpr char kFireData[] = "table FireData\n"
                             "column LaunchTimeMS 4 4\n"
                             "column Event 3 2\n"
                             "column Slat 2 1\n"
                             "column Cue 4 4\n"
                             "column Note 10 50\n"
                             "column Rate 7 8\n"
                             "column Fired 1 0\n"
                             "column Planned 8 8\n"
                             "row 3723004|3|7|12|北岸 shell|1.5|1|45000.5\n"
                             "row 0|-2|123|0|\\N|\\N|0|\\N\n";

class FireOneAccessImport : public editortest::ShowCommands
{
protected:
    FireOneAccessImport()
    {
        source = dir.File("show.mdb");
        std::filesystem::copy_file(
            std::string(TAVRIN_TEST_DATA_DIR) + "/../store/fixtures/access/emptyJet4.mdb", source);
        Describe(kFireData);
        sourceBytes = FileBytes(source);
        target = dir.File("show.db");
    }

    void Describe(const std::string& tables) { std::ofstream(source + ".tables") << tables; }

    bool Import(std::optional<std::string> saveAs)
    {
        prompt.saveFiles.push_back(std::move(saveAs));
        return ShowCommands::Import(source);
    }

    void ExpectEarlierShowKept()
    {
        EXPECT_EQ(storePath, earlierPath);
        ASSERT_EQ(grid.GetRowCount(), 2);
        EXPECT_EQ(Row(0), earlierRows[0]);
        EXPECT_EQ(Row(1), earlierRows[1]);
        EXPECT_EQ(FileBytes(source), sourceBytes);
    }

    void ExpectRefused(const std::string& text)
    {
        ASSERT_EQ(prompt.messages.size(), 1u) << ::testing::PrintToString(prompt.MessageTexts());
        EXPECT_EQ(prompt.messages[0].text, text);
        EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Stop);
    }

    std::string source;
    std::string sourceBytes;
    std::string target;
};

TEST_F(FireOneAccessImport, MakesANewStoreWithFireDataAndTheShowTable)
{
    EXPECT_TRUE(Import(target));
    EXPECT_TRUE(prompt.messages.empty()) << ::testing::PrintToString(prompt.MessageTexts());
    ASSERT_EQ(prompt.saveChoices.size(), 1u);
    EXPECT_EQ(prompt.saveChoices[0].initialPath, target) << "same folder and name, .db";
    EXPECT_EQ(prompt.saveChoices[0].defaultSuffix, "db");
    EXPECT_FALSE(prompt.saveChoices[0].confirmReplace) << "an existing file is never replaced";
    EXPECT_EQ(prompt.saveChoices[0].filters.front().label, strings::kFilterSqlite);
    EXPECT_EQ(storePath, target);
    EXPECT_EQ(FileBytes(source), sourceBytes) << "the Access file is never touched";

    const auto cues = ReadCues(target);
    ASSERT_EQ(cues.size(), 2u);
    EXPECT_EQ(cues[0].Addr, "07");
    EXPECT_EQ(cues[0].Channel, "11");
    EXPECT_EQ(cues[0].CDCode, 3);
    EXPECT_EQ(cues[0].BlastTime, 3723004);
    EXPECT_EQ(cues[1].FlowID, 1);
    EXPECT_EQ(cues[1].Addr, "123");
    EXPECT_EQ(cues[1].Channel, "-1");
    EXPECT_EQ(cues[1].CDCode, -2);
    ASSERT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(Row(1), (std::array<std::string, show::kCueColumnCount>{"0", "HOST", "01:02:03.004",
                                                                      "0", "3", "07", "11", ""}));
    EXPECT_FALSE(db.IsOpen());
}

TEST_F(FireOneAccessImport, CopiesFireDataWholeKeepingItsKindsOfValue)
{
    ASSERT_TRUE(Import(target));
    CADODataBase copy;
    ASSERT_TRUE(copy.Open(store::ConnectionStringFor(target), "", ""));
    CADORecordset fireData(&copy);
    ASSERT_TRUE(fireData.Open(store::kFireDataTable, modeTable)) << fireData.GetLastErrorText();
    const auto records = fireData.GetRecordset();
    std::vector<std::pair<std::string, ado::VarType>> kinds;
    for (const auto& column : records->Fields())
        kinds.emplace_back(column.name, column.type);
    EXPECT_EQ(kinds,
              (std::vector<std::pair<std::string, ado::VarType>>{{"LaunchTimeMS", ado::VT_I4},
                                                                 {"Event", ado::VT_I2},
                                                                 {"Slat", ado::VT_UI1},
                                                                 {"Cue", ado::VT_I4},
                                                                 {"Note", ado::VT_BSTR},
                                                                 {"Rate", ado::VT_R8},
                                                                 {"Fired", ado::VT_BOOL},
                                                                 {"Planned", ado::VT_DATE}}));
    ASSERT_EQ(records->RecordCount(), 2);
    EXPECT_EQ(records->GetCollect("Note"), ado::Variant::Bstr("北岸 shell"));
    EXPECT_EQ(records->GetCollect("Rate"), ado::Variant::R8(1.5));
    EXPECT_EQ(records->GetCollect("Fired"), ado::Variant::Bool(true));
    EXPECT_EQ(records->GetCollect("Planned"), ado::Variant::Date(45000.5));
    records->MoveNext();
    EXPECT_EQ(records->GetCollect("Slat"), ado::Variant::UI1(123));
    EXPECT_TRUE(records->GetCollect("Note").IsNull());
    EXPECT_TRUE(records->GetCollect("Planned").IsNull());
    EXPECT_EQ(records->GetCollect("Fired"), ado::Variant::Bool(false));
}

TEST_F(FireOneAccessImport, CancelledSaveChangesNothing)
{
    LoadEarlierShow(1);
    EXPECT_FALSE(Import(std::nullopt));
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(target));
    ExpectEarlierShowKept();
}

TEST_F(FireOneAccessImport, ChosenShowStoreIsLoadedAsItStandsWhenTheDesignerSaysNo)
{
    editortest::MakeShowStore(target, editortest::FiveCues());
    const std::string before = FileBytes(target);
    prompt.answers.push_back(false); // another show than the Access file's
    EXPECT_TRUE(Import(target));
    EXPECT_TRUE(prompt.messages.empty()) << ::testing::PrintToString(prompt.MessageTexts());
    EXPECT_EQ(storePath, target);
    ASSERT_EQ(grid.GetRowCount(), 6);
    EXPECT_EQ(Row(3)[1], "北岸-1");
    EXPECT_EQ(FileBytes(target), before) << "nothing is copied into an existing store";
}

TEST_F(FireOneAccessImport, ChosenFileThatIsNoShowStoreIsRefusedUntouched)
{
    LoadEarlierShow(1);
    const std::string notes = dir.File("notes.db");
    std::ofstream(notes) << "my notes";
    const std::string other = dir.File("other.db");
    testsupport::MakeSqliteFile(other, "CREATE TABLE Other(x int)");

    for (const std::string& chosen : {notes, other, source}) {
        SCOPED_TRACE(chosen);
        prompt.messages.clear();
        const std::string before = FileBytes(chosen);
        EXPECT_FALSE(Import(chosen));
        ExpectRefused(strings::FormatText(strings::kImportNotShowStore, chosen.c_str()));
        EXPECT_EQ(FileBytes(chosen), before);
        ExpectEarlierShowKept();
    }
}

TEST_F(FireOneAccessImport, ChosenStoreWhoseLayoutTableIsForeignIsRefusedUntouched)
{
    LoadEarlierShow(1);
    const std::string chosen = dir.File("foreign.db");
    testsupport::MakeSqliteFile(chosen, "CREATE TABLE tb_Layout(FlowID int, Note text)");
    const std::string before = FileBytes(chosen);
    EXPECT_FALSE(Import(chosen));
    ExpectRefused(
        strings::FormatText(strings::kLayoutNotShowTable, chosen.c_str(),
                            "HostName, HostIndex, BlastTime, Addr, Channel, CDCode, Sector"));
    EXPECT_EQ(FileBytes(chosen), before);
    ExpectEarlierShowKept();
}

TEST_F(FireOneAccessImport, StoreThatCannotBeCreatedIsReported)
{
    LoadEarlierShow(1);
    const std::string nowhere = dir.File("missing-folder/show.db");
    EXPECT_FALSE(Import(nowhere));
    ExpectStoreNotCreated("cannot be created");
    ExpectEarlierShowKept();
}

TEST_F(FireOneAccessImport, FailureHalfwayLeavesNoNewStore)
{
    LoadEarlierShow(1);
    Describe("table FireData\n"
             "column LaunchTimeMS 7 8\n"
             "column Cue 7 8\n"
             "row 0|1\n"
             "row 100|2\n"
             "row 1500.5|3\n"
             "row 300|4.5\n");
    EXPECT_FALSE(Import(target));
    ExpectRefused("FireOne record 3: LaunchTimeMS 1500.5 is not a whole number of milliseconds, "
                  "the show has not been imported!");
    EXPECT_FALSE(std::filesystem::exists(target)) << "the file this import made goes again";
    EXPECT_FALSE(std::filesystem::exists(editor::StoreMakingLock::TemporaryPathFor(target)));
    ExpectEarlierShowKept();

    prompt.messages.clear();
    Describe("table FireData\ncolumn Cue 7 8\nrow 1\nrow 2.25\n");
    EXPECT_FALSE(Import(target));
    ExpectRefused(strings::FormatText(strings::kImportFractionalValue, 2, "Cue", "2.25"));
}

TEST_F(FireOneAccessImport, WhatAKilledImportLeftBlocksNothing)
{
    // Before the new store is moved into place: its temporary file, with a
    // journal. From older versions: an empty store file with its journal.
    const std::string temporary = editor::StoreMakingLock::TemporaryPathFor(target);
    std::ofstream(temporary) << "half a store";
    std::ofstream(temporary + "-journal") << "half a journal";
    std::ofstream{target};
    std::ofstream{target + "-journal"};

    EXPECT_TRUE(Import(target)) << ::testing::PrintToString(prompt.MessageTexts());
    EXPECT_EQ(ReadCues(target).size(), 2u);
    for (const std::string& gone : {temporary, temporary + "-journal", target + "-journal"})
        EXPECT_FALSE(std::filesystem::exists(gone)) << gone;
}

TEST_F(FireOneAccessImport, AccessFileImportedBeforeKeepsItsHostNames)
{
    Describe(std::string(kFireData) + "table tb_Layout\n"
                                      "column FlowID 4 4\n"
                                      "column HostName 10 32\n"
                                      "column HostIndex 4 4\n"
                                      "column BlastTime 4 4\n"
                                      "column Addr 10 32\n"
                                      "column Channel 10 32\n"
                                      "column CDCode 4 4\n"
                                      "column Sector 4 4\n"
                                      "row 0|A1|1|3723004|07|11|3|0\n"
                                      "row 1|北岸-1|1|0|123|-1|-2|0\n");
    EXPECT_TRUE(Import(target));
    EXPECT_TRUE(prompt.messages.empty()) << ::testing::PrintToString(prompt.MessageTexts());
    EXPECT_EQ(editortest::HostNames(target), (std::vector<std::string>{"A1", "北岸-1"}));
    ASSERT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(Row(2)[1], "北岸-1");
    EXPECT_EQ(Row(2)[5], "123");
}

TEST_F(FireOneAccessImport, AccessFileWithoutFireDataChangesNothing)
{
    LoadEarlierShow(1);
    Describe("table Other\ncolumn x 4 4\n");
    prompt.openFiles.push_back(source);
    editor::ShowContext show = Show();
    EXPECT_FALSE(editor::ImportFireOne(show));
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_TRUE(prompt.saveChoices.empty());
    ExpectEarlierShowKept();
}

} // namespace
