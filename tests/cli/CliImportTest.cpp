// tavrin-cli import beside another import and after a killed one, and
// --store for every kind of FireOne file.
#include "editor/StoreMakingLock.h"
#include "platform/Utf8Path.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "tests/cli/CliFixture.h"

#include <filesystem>
#include <fstream>
#include <thread>

namespace {

namespace fs = std::filesystem;
using clitest::Cli;
using clitest::CliResult;
using clitest::FileBytes;
using clitest::FolderNames;
using clitest::RunCli;

// An SQLite FireOne file of `records` cues.
std::string SqliteFireOne(const std::string& path, int records)
{
    testsupport::MakeSqliteFile(
        path, "CREATE TABLE FireData(LaunchTimeMS int, Event int, Slat int, Cue int)");
    testsupport::RunSql(path, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                              "WHERE i < " +
                                  std::to_string(records) +
                                  ") INSERT INTO FireData SELECT i * 10, 1, i % 40, i % 30 + 1 "
                                  "FROM n");
    return path;
}

class CliImport : public Cli
{
protected:
    // Two imports of `args` at once: each ends with the store's path, or the
    // later one says the store is being made; at least one makes it.
    void ExpectBothOrTheLaterRefused(const std::vector<std::string>& args, const std::string& store)
    {
        CliResult first;
        std::thread other([&] { first = RunCli(args); });
        const CliResult second = RunCli(args);
        other.join();
        const std::string busy = strings::FormatText(strings::kImportStoreBeingMade, store.c_str());
        int made = 0;
        for (const CliResult& ended : {first, second}) {
            const CliResult* result = &ended;
            if (result->exitCode == 0) {
                EXPECT_EQ(result->out, store + "\n");
                ++made;
            } else {
                EXPECT_EQ(result->exitCode, 1);
                EXPECT_EQ(result->err, busy + "\n");
            }
        }
        EXPECT_GE(made, 1);
    }
};

// Paths are UTF-8 in the program and UTF-16 at every Windows file call: a
// show in a folder named 东区 is imported, given names and read back there.
TEST_F(Cli, AShowInAChineseFolderImportsAssignsAndReadsBack)
{
    const std::string folder = platform::Utf8FromPath(dir.path() / platform::PathFromUtf8("东区"));
    fs::create_directory(platform::PathFromUtf8(folder));
    const std::string fireOne = SqliteFireOne(folder + "/烟花.db", 3);
    const auto imported = RunCli({"import", fireOne, "--store", folder + "/东区-1.db"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out, folder + "/东区-1.db\n");
    const std::string store = folder + "/东区-1.db";
    ASSERT_EQ(RunCli({"assign", store, "--host", "北岸-1", "2"}).exitCode, 0);
    EXPECT_EQ(HostNames(store), (std::vector<std::string>{"HOST", "北岸-1", "HOST"}));
    const auto shown = RunCli({"show", store, "--csv"});
    EXPECT_NE(shown.out.find("\n1,北岸-1,"), std::string::npos) << shown.out;
}

TEST_F(CliImport, TwoImportsOfOneFileAtOnceEndWithOneSoundStoreAndNoLeftovers)
{
    const std::string script = dir.File("finale.fir"); // an Access file: a new store beside it
    fs::copy_file(std::string(TAVRIN_TEST_DATA_DIR) + "/../store/fixtures/access/fireone-48.mdb",
                  script);
    const std::string store = dir.File("finale.db");
    const std::string fireOne = dir.File("fire.db"); // an SQLite file: converted in place
    for (int run = 1; run <= 3; ++run) {
        fs::remove(store);
        fs::remove(fireOne);
        SqliteFireOne(fireOne, 20000);
        ExpectBothOrTheLaterRefused({"import", script}, store);
        ExpectBothOrTheLaterRefused({"import", fireOne}, fireOne);
        EXPECT_EQ(HostNames(store).size(), 48u);
        EXPECT_EQ(HostNames(fireOne).size(), 20000u);
        EXPECT_EQ(FolderNames(dir.path()),
                  (std::vector<std::string>{"finale.db", "finale.fir", "fire.db"}))
            << "run " << run;
    }
}

// --store on an SQLite FireOne file: a new store, the file left as it is;
// what a killed run left blocks nothing, and a running one is named.
TEST_F(CliImport, StoreOptionMakesANewStoreOfAnSqliteFireOneFileBesideOtherImports)
{
    const std::string fireOne = SqliteFireOne(dir.File("fire.db"), 2);
    const std::string before = FileBytes(fireOne);
    const std::string store = dir.File("new.db");
    fs::create_symlink(fireOne, dir.File("link.db"));
    for (const std::string& itself : {fireOne, dir.File("link.db")}) {
        const CliResult refused = RunCli({"import", fireOne, "--store", itself});
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_EQ(refused.err, std::string(strings::kCliStoreIsFireOneFile) + "\n");
    }
    fs::remove(dir.File("link.db"));
    {
        const editor::StoreMakingLock running(store); // another import, making it now
        const CliResult refused = RunCli({"import", fireOne, "--store", store});
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_EQ(refused.err,
                  strings::FormatText(strings::kImportStoreBeingMade, store.c_str()) + "\n");
    }
    // What a run killed on the way leaves: its lock file, unheld, and half a store.
    const std::string temporary = editor::StoreMakingLock::TemporaryPathFor(store);
    std::ofstream{editor::StoreMakingLock::PathFor(store)};
    std::ofstream(temporary) << "half a store";
    std::ofstream(temporary + "-journal") << "half a journal";
    const CliResult imported = RunCli({"import", fireOne, "--store", store});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out, store + "\n");
    EXPECT_EQ(RunCli({"show", store, "--csv"}).out,
              "Sequence,Host,Launch Time,Offset,Event,Sla,Cue,Note\n"
              "0,HOST,00:00.010,0,1,01,01,\n"
              "1,HOST,00:00.020,0,1,02,02,\n");
    EXPECT_EQ(FileBytes(fireOne), before) << "the FireOne file is never changed with --store";
    EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"fire.db", "new.db"}));
}

// A FireOne show changed since it was imported comes in as it is now, the
// designer's host names carried over; an unchanged one writes nothing.
TEST_F(CliImport, AChangedShowIsBroughtInWithItsHostNamesAndAnUnchangedOneWritesNothing)
{
    const std::string fireOne = dir.File("fire.db");
    testsupport::MakeSqliteFile(
        fireOne, "CREATE TABLE FireData(LaunchTimeMS int, Event int, Slat int, Cue int)");
    testsupport::RunSql(fireOne, "INSERT INTO FireData VALUES (0,1,1,1),(100,1,1,2),(200,1,2,1),"
                                 "(300,1,2,2),(400,1,3,1)");
    ASSERT_EQ(RunCli({"import", fireOne}).exitCode, 0);
    ASSERT_EQ(RunCli({"assign", fireOne, "--host", "North-1", "--modules", "1"}).exitCode, 0);
    ASSERT_EQ(RunCli({"assign", fireOne, "--host", "South-2", "--modules", "2"}).exitCode, 0);
    const std::string before = FileBytes(fireOne);
    const CliResult unchanged = RunCli({"import", fireOne});
    EXPECT_EQ(unchanged.exitCode, 0) << unchanged.err;
    EXPECT_EQ(unchanged.err, "");
    EXPECT_EQ(FileBytes(fireOne), before);

    // One cue moved, one gone, one on an all-South-2 module, one on a new one.
    testsupport::RunSql(fireOne, "DELETE FROM FireData");
    testsupport::RunSql(fireOne, "INSERT INTO FireData VALUES (0,1,1,1),(150,1,1,2),(200,1,2,1),"
                                 "(300,1,2,2),(500,1,2,3),(600,1,4,1)");
    const CliResult changed = RunCli({"import", fireOne});
    EXPECT_EQ(changed.exitCode, 0) << changed.err;
    EXPECT_EQ(changed.out, fireOne + "\n");
    EXPECT_EQ(changed.err, strings::FormatText(strings::kReimportDone, 2, 1, 1, 5, 1) + "\n");
    EXPECT_EQ(HostNames(fireOne), (std::vector<std::string>{"North-1", "North-1", "South-2",
                                                            "South-2", "South-2", "HOST"}));
    EXPECT_EQ(RunCli({"show", fireOne, "--csv"}).out,
              "Sequence,Host,Launch Time,Offset,Event,Sla,Cue,Note\n"
              "0,North-1,00:00.000,0,1,01,00,\n"
              "1,North-1,00:00.150,0,1,01,01,\n"
              "2,South-2,00:00.200,0,1,02,00,\n"
              "3,South-2,00:00.300,0,1,02,01,\n"
              "4,South-2,00:00.500,0,1,02,02,\n"
              "5,HOST,00:00.600,0,1,04,00,\n");

    // A FireOne file that holds no show now is no new show.
    testsupport::RunSql(fireOne, "DELETE FROM FireData");
    const std::string kept = FileBytes(fireOne);
    const CliResult empty = RunCli({"import", fireOne});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.err, std::string(strings::kReimportNoFireData) + "\n");
    EXPECT_EQ(FileBytes(fireOne), kept);
    EXPECT_EQ(HostNames(fireOne).size(), 6u);
}

} // namespace

namespace {

// An SQLite FireOne file holding these FireData rows.
std::string FireOneOf(const std::string& path, const std::string& rows)
{
    testsupport::MakeSqliteFile(
        path, "CREATE TABLE FireData(LaunchTimeMS int, Event int, Slat int, Cue int)");
    testsupport::RunSql(path, "INSERT INTO FireData VALUES " + rows);
    return path;
}

// The texts and sequences of a store's fire-record findings, as `check` lists them.
std::string FireRecordFindings(const std::string& store)
{
    const nlohmann::json report = nlohmann::json::parse(RunCli({"check", store, "--json"}).out);
    std::string text;
    for (const auto& finding : report["findings"])
        if (finding["kind"] == "fire-record-null")
            text += finding["severity"].get<std::string>() + " " +
                    finding["text"].get<std::string>() + " " + finding["sequences"].dump() + ";";
    return text;
}

} // namespace

// FireData records with NULL where the import reads import as before (as 0);
// the import says how many, and every check of the store (its own FireData,
// or the copy a new store keeps) warns of their cues.
TEST_F(CliImport, NullFireRecordsImportAsBeforeAndTheCheckWarnsOfThem)
{
    const std::string fireOne = FireOneOf(
        dir.File("fire.db"), "(1000,1,1,1),(NULL,1,1,2),(3000,1,NULL,3),(4000,NULL,2,NULL)");
    const CliResult imported = RunCli({"import", fireOne});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.err, strings::FormatText(strings::kImportNullFireRecords, 3) + "\n");
    EXPECT_EQ(RunCli({"show", fireOne, "--csv"}).out,
              "Sequence,Host,Launch Time,Offset,Event,Sla,Cue,Note\n"
              "0,HOST,00:01.000,0,1,01,00,\n"
              "1,HOST,00:00.000,0,1,01,01,\n"
              "2,HOST,00:03.000,0,1,00,02,\n"
              "3,HOST,00:04.000,0,0,02,-1,\n");
    const std::string findings = "warning fire record with no launch time [1];"
                                 "warning fire record with no module [2];"
                                 "warning fire record with no cue number [3];"
                                 "warning fire record with no event code [3];";
    EXPECT_EQ(FireRecordFindings(fireOne), findings);
    const CliResult copied = RunCli({"import", fireOne, "--store", dir.File("new.db")});
    ASSERT_EQ(copied.exitCode, 0) << copied.err;
    EXPECT_EQ(FireRecordFindings(dir.File("new.db")), findings);
    const auto host = hostlinktest::StartHost();
    const CliResult download = RunCli({"download", fireOne, "--host-code", "5", "--force",
                                       "--target", "127.0.0.1:" + std::to_string(host->Port())});
    EXPECT_EQ(download.exitCode, 0) << download.err;
    EXPECT_NE(download.err.find("warning: fire record with no launch time"), std::string::npos)
        << download.err;
}

// Two cues on one module, channel and launch time, of different host names:
// when the first's record goes, which name the survivor had cannot be known.
// The summary says so, names the host name that left, and counts as kept
// only the cues that kept theirs.
TEST_F(CliImport, AReimportSaysWhenAHostNameMayHaveGoneWithIdenticalRecords)
{
    const std::string fireOne =
        FireOneOf(dir.File("fire.db"), "(0,1,1,1),(0,1,1,1),(100,1,1,2),(200,1,2,1),(300,1,2,2)");
    ASSERT_EQ(RunCli({"import", fireOne}).exitCode, 0);
    ASSERT_EQ(RunCli({"assign", fireOne, "--host", "NORTH-1", "1,3-5"}).exitCode, 0);
    ASSERT_EQ(RunCli({"assign", fireOne, "--host", "WEST-1", "2"}).exitCode, 0);
    testsupport::RunSql(fireOne, "DELETE FROM FireData WHERE rowid = 1");
    const CliResult changed = RunCli({"import", fireOne});
    EXPECT_EQ(changed.exitCode, 0) << changed.err;
    EXPECT_EQ(changed.err, strings::FormatText(strings::kReimportDone, 0, 1, 0, 3, 0) + "\n" +
                               strings::FormatText(strings::kReimportGuessed, 1, "WEST-1") + "\n");
    EXPECT_EQ(HostNames(fireOne),
              (std::vector<std::string>{"NORTH-1", "NORTH-1", "NORTH-1", "NORTH-1"}))
        << "the pairing stays in order";
}
